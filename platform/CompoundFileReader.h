#pragma once
// Reads the bytes of a compound file (version 3 or 4) into an in-memory storage tree.
//
// Every structure is checked before it is used: chains that loop, cross or leave the file,
// directory trees that loop or share entries, sizes the chains cannot hold. Each sector and
// each directory entry is used at most once, so reading takes time and memory in proportion to
// the size of the input.
//
// A large stream of an image held in memory whose sectors lie in one run is not copied: the
// storage gets a stream viewing the image (see CompoundStorage::ViewStream), and the image must
// outlive those streams. A large stream of a file on disk is left there: the storage gets a
// stream that reads its sectors when they are wanted (see CompoundStorage::LeaveStreamInFile).
// Every other stream owns a copy of its bytes.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/CompoundFileFormat.h"
#include "platform/CompoundImage.h"
#include "platform/CompoundStorage.h"

class CompoundFileReader {
public:
    explicit CompoundFileReader(std::shared_ptr<const CompoundImage> image);

    // Fills root, which must be empty, with the file's root CLSID and children.
    // Throws CompoundFileError when the input is not a sound compound file.
    void Read(CompoundStorage& root);

private:
    struct Entry {
        std::u16string name;
        std::uint8_t type = 0;
        std::uint32_t left = 0;
        std::uint32_t right = 0;
        std::uint32_t child = 0;
        CompoundStorage::Clsid clsid{};
        std::uint32_t start = 0;
        std::uint64_t size = 0;
    };
    struct Pending {
        std::uint32_t firstChild;
        CompoundStorage* storage;
        std::size_t depth;
    };

    void ReadHeader();
    std::vector<std::uint32_t> FatSectorNumbers();
    void ReadFat();
    void ReadDirectory();
    void ReadMiniFat();
    void ReadMiniStream(const Entry& root);
    void ReadChildren(const Pending& pending, std::vector<Pending>& work);

    std::vector<std::uint32_t> FollowChain(std::uint32_t start, std::size_t wanted,
                                           const std::vector<std::uint32_t>& table,
                                           std::vector<bool>& claimed, const std::string& what);
    std::vector<std::uint8_t> ReadChain(std::uint32_t start, const std::string& what);
    std::vector<std::uint32_t> SectorChain(std::uint32_t start, std::uint64_t size,
                                           const std::string& what);
    std::vector<std::uint8_t> ReadSectors(std::uint32_t start, std::uint64_t size,
                                          const std::string& what);
    std::vector<std::uint8_t> Gather(const std::vector<std::uint32_t>& chain,
                                     std::size_t size) const;
    // The chain's first size bytes, when they lie in one run inside an image held in memory.
    std::optional<std::span<const std::uint8_t>> InPlace(const std::vector<std::uint32_t>& chain,
                                                         std::size_t size) const;
    std::vector<std::uint8_t> ReadMiniSectors(std::uint32_t start, std::size_t size,
                                              const std::string& what);
    void AddStream(CompoundStorage& storage, const std::string& name, const Entry& entry);
    // Appends count bytes from the start of sector first on; those past the end of the file
    // read as zeros.
    void AppendSectors(std::uint32_t first, std::size_t count,
                       std::vector<std::uint8_t>& out) const;
    static std::vector<std::uint32_t> ToTable(const std::vector<std::uint8_t>& bytes);

    std::vector<std::uint32_t> SiblingIds(std::uint32_t top);
    Entry ParseEntry(std::uint32_t id) const;

    std::shared_ptr<const CompoundImage> m_image;
    std::array<std::uint8_t, compound::kHeaderSize> m_header{};
    std::uint16_t m_majorVersion = 0;
    std::size_t m_sectorSize = 0;
    std::size_t m_sectorCount = 0;
    std::vector<bool> m_claimed;
    std::vector<std::uint32_t> m_fat;
    std::vector<std::uint8_t> m_directory;
    std::vector<bool> m_visitedEntries;
    std::vector<std::uint32_t> m_miniFat;
    std::vector<bool> m_claimedMini;
    std::vector<std::uint8_t> m_miniStream;
};
