#pragma once

// The bytes of an imported file read front to back. The end of the file is seen the way the C
// library's streams see it: AtEnd turns true only after a read came up short, so a file whose
// last record ends exactly at its end is read whole before the end shows.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class ByteSource {
public:
    explicit ByteSource(std::vector<unsigned char> bytes) : m_bytes(std::move(bytes)) {}
    // The whole of an open stream, read from where it stands.
    static ByteSource FromFile(std::FILE* file);

    // False (and the missing bytes zero) when the file ended first.
    bool Read(void* out, size_t count);
    bool Skip(size_t count);
    std::uint8_t Byte();
    std::int16_t Int16();
    std::uint16_t UInt16();
    std::uint32_t Dword();
    // A length byte and that many characters.
    std::string ShortString();
    // A six-byte real number, see Real48.h.
    double Real48();

    bool AtEnd() const { return m_atEnd; }
    size_t Tell() const { return m_position; }
    size_t Size() const { return m_bytes.size(); }

private:
    std::vector<unsigned char> m_bytes;
    size_t m_position = 0;
    bool m_atEnd = false;
};
