#include "platform/ReadOnlyFile.h"

#include <algorithm>

UINT CReadOnlyFile::Read(void* buffer, UINT count) {
    const std::uint64_t length = GetLength();
    if (m_position >= length)
        return 0;
    const auto n = static_cast<UINT>(std::min<std::uint64_t>(count, length - m_position));
    ReadAt(m_position, n, static_cast<BYTE*>(buffer));
    m_position += n;
    return n;
}

void CReadOnlyFile::Write(const void*, UINT) {
    throw CFileException(CFileException::accessDenied, 0, {});
}

std::uint64_t CReadOnlyFile::Seek(std::int64_t offset, UINT from) {
    m_position = SeekTarget(m_position, GetLength(), offset, from);
    return m_position;
}

void CReadOnlyFile::SetLength(std::uint64_t) {
    throw CFileException(CFileException::accessDenied, 0, {});
}
