#include "platform/ReadOnlyMemFile.h"

UINT CReadOnlyMemFile::Read(void* buffer, UINT count) {
    return ReadHeld(m_bytes, m_position, buffer, count);
}

void CReadOnlyMemFile::Write(const void*, UINT) {
    throw CFileException(CFileException::accessDenied, 0, {});
}

std::uint64_t CReadOnlyMemFile::Seek(std::int64_t offset, UINT from) {
    m_position = SeekTarget(m_position, m_bytes.size(), offset, from);
    return m_position;
}

void CReadOnlyMemFile::SetLength(std::uint64_t) {
    throw CFileException(CFileException::accessDenied, 0, {});
}
