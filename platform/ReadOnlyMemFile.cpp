#include "platform/ReadOnlyMemFile.h"

#include <algorithm>

void CReadOnlyMemFile::ReadAt(std::uint64_t offset, UINT count, BYTE* buffer) {
    std::copy_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(offset), count, buffer);
}
