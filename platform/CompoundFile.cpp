#include "platform/CompoundFile.h"

#include "platform/AtomicFile.h"
#include "platform/CompoundFileReader.h"
#include "platform/CompoundFileWriter.h"
#include "platform/CompoundImage.h"

CompoundFile::CompoundFile() : m_root("Root Entry") {}

CompoundFile CompoundFile::Parse(std::vector<std::uint8_t> image) {
    CompoundFile file;
    file.m_image = std::move(image);
    CompoundFileReader(std::make_shared<CompoundImage>(file.m_image)).Read(file.m_root);
    return file;
}

CompoundFile CompoundFile::ParseInPlace(std::span<const std::uint8_t> image) {
    CompoundFile file;
    CompoundFileReader(std::make_shared<CompoundImage>(image)).Read(file.m_root);
    return file;
}

std::vector<std::uint8_t> CompoundFile::Serialize() const {
    return CompoundFileWriter(m_root).Write();
}

CompoundFile CompoundFile::LoadFromFile(const std::filesystem::path& path) {
    auto image = std::make_shared<CompoundImage>(path);
    CompoundFile file;
    try {
        CompoundFileReader(std::move(image)).Read(file.m_root);
    } catch (const CompoundFileError& error) {
        throw CompoundFileError(path.string() + ": " + error.what());
    }
    return file;
}

void CompoundFile::SaveToFile(const std::filesystem::path& path) const {
    const std::vector<std::uint8_t> bytes = Serialize();
    try {
        WriteFileAtomically(path, std::span<const BYTE>(bytes.data(), bytes.size()));
    } catch (const FileError& error) {
        throw CompoundFileError(error.what());
    }
}
