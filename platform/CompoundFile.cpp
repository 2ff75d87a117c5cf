#include "platform/CompoundFile.h"

#include <cstdio>
#include <fstream>
#include <random>

#include "platform/CompoundFileReader.h"
#include "platform/CompoundFileWriter.h"

namespace {

[[noreturn]] void FileFailure(const char* action, const std::filesystem::path& path) {
    throw CompoundFileError(std::string("cannot ") + action + " " + path.string());
}

// Creates a new file next to target under a name nobody uses yet; returns its path.
std::filesystem::path CreateTemporarySibling(const std::filesystem::path& target, FILE*& file) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = target;
        candidate += ".tmp" + std::to_string(random() % 1000000000);
        file = std::fopen(candidate.c_str(), "wbx");
        if (file)
            return candidate;
    }
    FileFailure("create a temporary file for", target);
}

void WriteReplacing(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    FILE* file = nullptr;
    const std::filesystem::path temporary = CreateTemporarySibling(path, file);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    std::error_code error;
    if (written && closed)
        std::filesystem::rename(temporary, path, error);
    if (!written || !closed || error) {
        std::filesystem::remove(temporary, error);
        FileFailure("write", path);
    }
}

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        FileFailure("open", path);
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
    if (size < 0)
        FileFailure("open", path);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size))
        FileFailure("read", path);
    return bytes;
}

}  // namespace

CompoundFile::CompoundFile() : m_root("Root Entry") {}

CompoundFile CompoundFile::Parse(const std::vector<std::uint8_t>& bytes) {
    CompoundFile file;
    CompoundFileReader(bytes).Read(file.m_root);
    return file;
}

std::vector<std::uint8_t> CompoundFile::Serialize() const {
    return CompoundFileWriter(m_root).Write();
}

CompoundFile CompoundFile::LoadFromFile(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    try {
        return Parse(bytes);
    } catch (const CompoundFileError& error) {
        throw CompoundFileError(path.string() + ": " + error.what());
    }
}

void CompoundFile::SaveToFile(const std::filesystem::path& path) const {
    WriteReplacing(path, Serialize());
}
