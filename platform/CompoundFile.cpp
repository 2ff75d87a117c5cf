#include "platform/CompoundFile.h"

#include "platform/AtomicFile.h"
#include "platform/CompoundFileReader.h"
#include "platform/CompoundFileWriter.h"

CompoundFile::CompoundFile() : m_root("Root Entry") {}

CompoundFile CompoundFile::Parse(std::vector<std::uint8_t> image) {
    CompoundFile file;
    file.m_image = std::move(image);
    CompoundFileReader(file.m_image).Read(file.m_root);
    return file;
}

CompoundFile CompoundFile::ParseInPlace(std::span<const std::uint8_t> image) {
    CompoundFile file;
    CompoundFileReader(image).Read(file.m_root);
    return file;
}

std::vector<std::uint8_t> CompoundFile::Serialize() const {
    return CompoundFileWriter(m_root).Write();
}

CompoundFile CompoundFile::LoadFromFile(const std::filesystem::path& path) {
    std::vector<std::uint8_t> image;
    try {
        image = ReadWholeFileBytes(path);
    } catch (const FileError& error) {
        throw CompoundFileError(error.what());
    }
    try {
        return Parse(std::move(image));
    } catch (const CompoundFileError& error) {
        throw CompoundFileError(path.string() + ": " + error.what());
    }
}

void CompoundFile::SaveToFile(const std::filesystem::path& path) const {
    const std::vector<std::uint8_t> bytes = Serialize();
    try {
        WriteFileAtomically(path, std::span<const BYTE>(bytes.data(), bytes.size()));
    } catch (const FileError& error) {
        throw CompoundFileError(error.what());
    }
}
