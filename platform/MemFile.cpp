#include "platform/MemFile.h"

#include <algorithm>
#include <cstring>
#include <new>

CMemFile::CMemFile(UINT growBytes) : m_growBytes(growBytes) {}

CMemFile::CMemFile(std::vector<BYTE> bytes, UINT growBytes)
    : m_bytes(std::move(bytes)), m_growBytes(growBytes) {}

UINT CMemFile::Read(void* buffer, UINT count) {
    return ReadHeld(m_bytes, m_position, buffer, count);
}

void CMemFile::Write(const void* buffer, UINT count) {
    if (count == 0)
        return;
    const std::uint64_t end = m_position + count;
    if (end > m_bytes.max_size())
        throw std::bad_alloc();
    if (end > m_bytes.capacity()) {
        const std::uint64_t step = std::max<std::uint64_t>(m_growBytes, 1);
        m_bytes.reserve(
            std::max<std::uint64_t>((end + step - 1) / step * step, 2 * m_bytes.capacity()));
    }
    if (end > m_bytes.size())
        m_bytes.resize(end);
    std::memcpy(m_bytes.data() + m_position, buffer, count);
    m_position = end;
}

std::uint64_t CMemFile::Seek(std::int64_t offset, UINT from) {
    m_position = SeekTarget(m_position, m_bytes.size(), offset, from);
    return m_position;
}

void CMemFile::SetLength(std::uint64_t length) {
    if (length > m_bytes.max_size())
        throw std::bad_alloc();
    m_bytes.resize(length);
}

std::vector<BYTE> CMemFile::Detach() {
    std::vector<BYTE> bytes = std::move(m_bytes);
    m_bytes.clear();
    m_position = 0;
    return bytes;
}
