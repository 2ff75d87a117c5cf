#include "interchange/protel/ByteSource.h"

#include <cstring>

#include "interchange/protel/Real48.h"

ByteSource ByteSource::FromFile(std::FILE* file) {
    std::vector<unsigned char> bytes;
    unsigned char block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        bytes.insert(bytes.end(), block, block + got);
    return ByteSource(std::move(bytes));
}

bool ByteSource::Read(void* out, size_t count) {
    size_t left = m_bytes.size() - m_position;
    size_t taken = count < left ? count : left;
    if (taken > 0)
        std::memcpy(out, m_bytes.data() + m_position, taken);
    std::memset(static_cast<unsigned char*>(out) + taken, 0, count - taken);
    m_position += taken;
    if (taken < count)
        m_atEnd = true;
    return taken == count;
}

bool ByteSource::Skip(size_t count) {
    size_t left = m_bytes.size() - m_position;
    if (count > left) {
        m_position = m_bytes.size();
        m_atEnd = true;
        return false;
    }
    m_position += count;
    return true;
}

std::uint8_t ByteSource::Byte() {
    std::uint8_t value;
    Read(&value, 1);
    return value;
}

std::uint16_t ByteSource::UInt16() {
    unsigned char b[2];
    Read(b, 2);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::int16_t ByteSource::Int16() {
    return static_cast<std::int16_t>(UInt16());
}

std::uint32_t ByteSource::Dword() {
    unsigned char b[4];
    Read(b, 4);
    return b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t{b[3]} << 24);
}

std::string ByteSource::ShortString() {
    std::string text(Byte(), '\0');
    Read(text.data(), text.size());
    return text;
}

double ByteSource::Real48() {
    unsigned char b[6];
    Read(b, 6);
    return Real48ToDouble(b);
}
