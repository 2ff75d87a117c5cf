#pragma once
// The serialized property set format of compound files (the format summary information is kept
// in): a header with byte order mark 0xFFFE, one section per format id, and in each section a
// table of property ids and offsets followed by the typed values.
//
//   header  (28 bytes)  byte order WORD, format WORD, OS version DWORD, class id, section count
//   entries (20 each)   format id, offset of the section from the start of the stream
//   section             size DWORD, property count DWORD, (id, offset) DWORD pairs, values
//   value               type DWORD, then: VT_I2 a 16-bit number padded to 4 bytes; VT_I4 a
//                       32-bit number; VT_FILETIME 8 bytes; VT_LPSTR a byte count (with the
//                       NUL) and the bytes, padded to 4; VT_LPWSTR a count of UTF-16 units
//                       (with the NUL) and the units, padded to 4.
//
// Reading checks every count, offset and length against the bytes there are and refuses a
// damaged set with a PropertySetError. Values of other types are skipped.

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "platform/CString.h"
#include "platform/Types.h"

// A point in time in 100-nanosecond units since 1601-01-01 UTC (also a duration in those
// units); 0 means "never".
using FileTime = std::uint64_t;

using PropFormatId = std::array<BYTE, 16>;

constexpr DWORD VT_I2 = 2;
constexpr DWORD VT_I4 = 3;
constexpr DWORD VT_LPSTR = 30;
constexpr DWORD VT_LPWSTR = 31;
constexpr DWORD VT_FILETIME = 64;

// Property 1 of every section: the code page its VT_LPSTR values are in.
constexpr DWORD kPropCodePage = 1;
constexpr int kCodePageUtf8 = 65001;

class PropertySetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One property. Strings are kept as UTF-8; a VT_LPWSTR value read is converted and is kept
// (and written) as VT_LPSTR.
struct CPropValue {
    DWORD id = 0;
    DWORD type = VT_I4;
    CString text;             // VT_LPSTR
    std::int32_t number = 0;  // VT_I2, VT_I4
    FileTime time = 0;        // VT_FILETIME
};

class CPropSection {
public:
    explicit CPropSection(const PropFormatId& formatId = {}) : m_formatId(formatId) {}

    const PropFormatId& GetFormatId() const { return m_formatId; }
    const std::vector<CPropValue>& Values() const { return m_values; }
    // Replaces the value of that id, or appends it.
    void Set(const CPropValue& value);
    // The value of that id, or null.
    const CPropValue* Get(DWORD id) const;

private:
    PropFormatId m_formatId;
    std::vector<CPropValue> m_values;
};

class CPropSet {
public:
    WORD m_byteOrder = 0xFFFE;
    WORD m_format = 0;
    DWORD m_osVersion = 0;
    PropFormatId m_classId{};
    std::vector<CPropSection> m_sections;

    // The stream's bytes. Strings are written as VT_LPSTR in UTF-8; the caller's code-page
    // property should say so.
    std::vector<BYTE> Write() const;
    // Reads a whole stream. Strings of a section whose code page is not UTF-8 are taken as
    // Windows Western (1252) text and converted.
    static CPropSet Read(std::span<const BYTE> bytes);

    const CPropSection* FindSection(const PropFormatId& formatId) const;
};
