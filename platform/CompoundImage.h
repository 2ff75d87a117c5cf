#pragma once
// The bytes of a compound file as the reader and the streams it leaves in place see them:
// held in memory by someone else, or read from an open file on disk when they are wanted.
//
// Bytes past the end read as zeros (a producer may cut the last sector short). A file on disk
// that becomes shorter while it is open throws CompoundFileError when the bytes it lost are
// read, as do read failures; the message names the file.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>

class ReadableFile;

class CompoundImage {
public:
    // The bytes must stay alive and unchanged while the image lives.
    explicit CompoundImage(std::span<const std::uint8_t> bytes);
    // Opens the file; throws CompoundFileError when it cannot be read.
    explicit CompoundImage(const std::filesystem::path& path);
    ~CompoundImage();
    CompoundImage(const CompoundImage&) = delete;
    CompoundImage& operator=(const CompoundImage&) = delete;

    std::uint64_t Size() const { return m_size; }
    // Copies count bytes from offset on into out.
    void Read(std::uint64_t offset, std::size_t count, std::uint8_t* out) const;
    // The bytes, when they are held in memory.
    std::optional<std::span<const std::uint8_t>> Held() const;

private:
    std::span<const std::uint8_t> m_bytes;
    std::unique_ptr<ReadableFile> m_file;
    std::uint64_t m_size = 0;
};
