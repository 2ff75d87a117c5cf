#include "platform/ReadOnlyMemFile.h"

#include <algorithm>
#include <cstring>

UINT CReadOnlyMemFile::Read(void* buffer, UINT count) {
    if (m_position >= m_bytes.size())
        return 0;
    const auto n = static_cast<UINT>(std::min<std::uint64_t>(count, m_bytes.size() - m_position));
    if (n > 0)
        std::memcpy(buffer, m_bytes.data() + m_position, n);
    m_position += n;
    return n;
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
