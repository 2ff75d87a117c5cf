#pragma once
// A compound file ("structured storage"): a tree of storages and streams kept in memory, read
// from and written to the compound file binary format.
//
// Parse reads version 3 and 4 files of any producer and rejects corrupt ones with a
// CompoundFileError. Serialize writes version 3 (512-byte sectors); the same tree always gives
// the same bytes (see CompoundFileWriter.h for the layout).
//
// A large stream whose sectors lie in one run of an image in memory is not copied: it views
// the image, which the file keeps (Parse) or the caller keeps (ParseInPlace). LoadFromFile does
// not read the file whole: it reads the structures it checks, and each large stream reads its
// sectors from the open file when its bytes are wanted; the file stays open while such a
// stream lives.

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "platform/CompoundFileError.h"
#include "platform/CompoundStorage.h"

class CompoundFile {
public:
    CompoundFile();

    CompoundStorage& Root() { return m_root; }
    const CompoundStorage& Root() const { return m_root; }

    // The file keeps the image; moving the file keeps its streams' bytes where they are.
    static CompoundFile Parse(std::vector<std::uint8_t> image);
    // The image must stay alive and unchanged while the file and its streams live (copies of
    // streams and storages own their bytes and may outlive it).
    static CompoundFile ParseInPlace(std::span<const std::uint8_t> image);
    std::vector<std::uint8_t> Serialize() const;

    static CompoundFile LoadFromFile(const std::filesystem::path& path);
    // Writes a temporary file next to path and renames it over path, so a failed save leaves
    // any earlier file untouched.
    void SaveToFile(const std::filesystem::path& path) const;

private:
    // The image Parse read, which streams may view; empty otherwise. Declared first, so that
    // it outlives the streams.
    std::vector<std::uint8_t> m_image;
    CompoundStorage m_root;
};
