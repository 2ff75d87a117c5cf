#include "platform/CompoundStreamFile.h"

#include <algorithm>

UINT CCompoundStreamFile::Read(void* buffer, UINT count) {
    const std::uint64_t length = m_stream.Size();
    if (m_position >= length)
        return 0;
    const auto n = static_cast<UINT>(std::min<std::uint64_t>(count, length - m_position));
    m_stream.Read(m_position, n, static_cast<std::uint8_t*>(buffer));
    m_position += n;
    return n;
}

void CCompoundStreamFile::Write(const void*, UINT) {
    throw CFileException(CFileException::accessDenied, 0, {});
}

std::uint64_t CCompoundStreamFile::Seek(std::int64_t offset, UINT from) {
    m_position = SeekTarget(m_position, m_stream.Size(), offset, from);
    return m_position;
}

void CCompoundStreamFile::SetLength(std::uint64_t) {
    throw CFileException(CFileException::accessDenied, 0, {});
}
