#pragma once
// Writes a storage tree as a version 3 compound file (512-byte sectors).
//
// The output depends only on the tree: directory entries are numbered storage by storage,
// breadth first from the root, each storage's streams and storages together in the format's
// sibling order (see CompoundName.h); all timestamps are zero. The sectors follow in a fixed
// order: FAT, DIFAT, directory, mini FAT, mini stream, then the large streams in directory
// order. Each storage's children form a balanced search tree, coloured so that it is a valid
// red-black tree.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/CompoundFileFormat.h"
#include "platform/CompoundStorage.h"

class CompoundFileWriter {
public:
    explicit CompoundFileWriter(const CompoundStorage& root);

    // Call once. Throws CompoundFileError when the tree exceeds what the format can hold.
    std::vector<std::uint8_t> Write();

private:
    struct Entry {
        std::u16string name;
        std::uint8_t type = 0;
        std::uint8_t color = 0;
        std::uint32_t left = compound::kNoStream;
        std::uint32_t right = compound::kNoStream;
        std::uint32_t child = compound::kNoStream;
        CompoundStorage::Clsid clsid{};
        const std::uint8_t* data = nullptr;
        std::uint32_t start = 0;
        std::uint64_t size = 0;
    };
    struct PendingStorage {
        const CompoundStorage* storage;
        std::uint32_t id;
        std::size_t depth;
    };

    void BuildDirectory();
    std::uint32_t AddChildren(const PendingStorage& parent, std::vector<PendingStorage>& queue);
    std::uint32_t LinkSiblings(std::uint32_t first, std::uint32_t end, std::size_t depth,
                               std::size_t blackLevels);
    void PlanSectors();
    void PlanMiniStream();
    std::uint32_t PlanFat(std::uint32_t dataSectors);
    static std::uint32_t AllocateChain(std::vector<std::uint32_t>& table, std::uint32_t& next,
                                       std::uint64_t count);

    void WriteHeader();
    void WriteFatAndDifat();
    void WriteDirectory();
    void WriteMiniFatAndStream();
    void WriteLargeStreams();
    std::uint8_t* Sector(std::uint32_t sector);
    void WriteTable(const std::vector<std::uint32_t>& table, std::uint32_t firstSector);

    const CompoundStorage& m_root;
    std::vector<Entry> m_entries;
    std::vector<std::uint32_t> m_fat;
    std::vector<std::uint32_t> m_miniFat;
    std::uint32_t m_fatSectors = 0;
    std::uint32_t m_difatSectors = 0;
    std::uint32_t m_directoryStart = 0;
    std::uint32_t m_miniFatStart = 0;
    std::uint32_t m_miniFatSectors = 0;
    std::uint32_t m_miniStreamStart = 0;
    std::uint32_t m_miniStreamSectors = 0;
    std::uint32_t m_directorySectors = 0;
    std::vector<std::uint8_t> m_out;
};
