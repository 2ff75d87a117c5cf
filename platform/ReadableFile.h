#pragma once
// ReadableFile: a regular file open for reading at any offset, closed when the object goes.
// Failures throw FileReadError (see AtomicFile.h) with a message that names the file.

#include <cstddef>
#include <cstdint>
#include <filesystem>

class ReadableFile {
public:
    // Opens path; throws when it is missing, a folder, a pipe or a device, or cannot be read.
    explicit ReadableFile(const std::filesystem::path& path);
    ~ReadableFile();
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The length when the file was opened.
    std::uint64_t Size() const { return m_size; }
    // Reads up to count bytes from offset on into buffer; fewer only at the end of the file.
    // Returns the number read.
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const;

private:
    std::filesystem::path m_path;
    int m_fd = -1;
    std::uint64_t m_size = 0;
};
