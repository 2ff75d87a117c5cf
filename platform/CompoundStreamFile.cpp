#include "platform/CompoundStreamFile.h"

void CCompoundStreamFile::ReadAt(std::uint64_t offset, UINT count, BYTE* buffer) {
    m_stream.Read(offset, count, static_cast<std::uint8_t*>(buffer));
}
