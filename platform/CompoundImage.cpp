#include "platform/CompoundImage.h"

#include <algorithm>
#include <cstring>

#include "platform/AtomicFile.h"
#include "platform/CompoundFileError.h"
#include "platform/ReadableFile.h"

CompoundImage::CompoundImage(std::span<const std::uint8_t> bytes)
    : m_bytes(bytes), m_size(bytes.size()) {}

CompoundImage::CompoundImage(const std::filesystem::path& path) {
    try {
        m_file = std::make_unique<ReadableFile>(path);
    } catch (const FileError& error) {
        throw CompoundFileError(error.what());
    }
    m_size = m_file->Size();
}

CompoundImage::~CompoundImage() = default;

void CompoundImage::Read(std::uint64_t offset, std::size_t count, std::uint8_t* out) const {
    const std::size_t present =
        offset < m_size ? static_cast<std::size_t>(std::min<std::uint64_t>(count, m_size - offset))
                        : 0;
    if (!m_file) {
        if (present != 0)
            std::memcpy(out, m_bytes.data() + offset, present);
    } else {
        std::size_t got = 0;
        try {
            got = m_file->ReadAt(offset, out, present);
        } catch (const FileError& error) {
            throw CompoundFileError(error.what());
        }
        if (got < present)
            throw CompoundFileError(QuotedPath(m_file->Path()) +
                                    ": the file became shorter while it was open");
    }
    std::memset(out + present, 0, count - present);
}

std::optional<std::span<const std::uint8_t>> CompoundImage::Held() const {
    if (m_file)
        return std::nullopt;
    return m_bytes;
}
