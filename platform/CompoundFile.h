#pragma once
// A compound file ("structured storage"): a tree of storages and streams kept in memory, read
// from and written to the compound file binary format.
//
// Parse reads version 3 and 4 files of any producer and rejects corrupt ones with a
// CompoundFileError. Serialize writes version 3 (512-byte sectors); the same tree always gives
// the same bytes (see CompoundFileWriter.h for the layout).

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/CompoundFileError.h"
#include "platform/CompoundStorage.h"

class CompoundFile {
public:
    CompoundFile();

    CompoundStorage& Root() { return m_root; }
    const CompoundStorage& Root() const { return m_root; }

    static CompoundFile Parse(const std::vector<std::uint8_t>& bytes);
    std::vector<std::uint8_t> Serialize() const;

    static CompoundFile LoadFromFile(const std::filesystem::path& path);
    // Writes a temporary file next to path and renames it over path, so a failed save leaves
    // any earlier file untouched.
    void SaveToFile(const std::filesystem::path& path) const;

private:
    CompoundStorage m_root;
};
