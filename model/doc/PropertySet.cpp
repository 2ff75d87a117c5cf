#include "model/doc/PropertySet.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "platform/DisplayText.h"
#include "platform/Utf8.h"

namespace {

constexpr size_t kHeaderSize = 28;
constexpr size_t kSectionEntrySize = 20;
constexpr size_t kSectionHeaderSize = 8;
constexpr size_t kPropertyEntrySize = 8;

// Little-endian output.
class Writer {
public:
    void Word(WORD value) { Bytes(&value, 2); }
    void Dword(DWORD value) { Bytes(&value, 4); }
    void Qword(std::uint64_t value) { Bytes(&value, 8); }
    void Bytes(const void* data, size_t count) {
        const auto* p = static_cast<const BYTE*>(data);
        m_out.insert(m_out.end(), p, p + count);
    }
    void PadTo4() { m_out.resize((m_out.size() + 3) & ~size_t{3}, 0); }
    void PatchDword(size_t at, DWORD value) {
        for (int i = 0; i < 4; ++i)
            m_out[at + i] = static_cast<BYTE>(value >> (8 * i));
    }
    size_t Size() const { return m_out.size(); }
    std::vector<BYTE>& Out() { return m_out; }

private:
    std::vector<BYTE> m_out;
};

// Bounds-checked little-endian input over one range of the stream.
class Reader {
public:
    Reader(std::span<const BYTE> bytes, size_t begin, size_t end)
        : m_bytes(bytes), m_begin(begin), m_end(end) {}

    std::uint64_t Number(size_t at, int size) const {
        Require(at, size);
        std::uint64_t value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = (value << 8) | m_bytes[m_begin + at + i];
        return value;
    }
    DWORD Dword(size_t at) const { return static_cast<DWORD>(Number(at, 4)); }
    std::string_view Span(size_t at, size_t count) const {
        Require(at, count);
        return std::string_view(reinterpret_cast<const char*>(m_bytes.data()) + m_begin + at,
                                count);
    }
    size_t Size() const { return m_end - m_begin; }
    size_t Begin() const { return m_begin; }

private:
    void Require(size_t at, size_t count) const {
        if (at > Size() || count > Size() - at)
            throw PropertySetError("a property value runs past the end of its section");
    }

    std::span<const BYTE> m_bytes;
    size_t m_begin;
    size_t m_end;
};

// Text up to its first NUL.
std::string_view UpToNul(std::string_view text) {
    return text.substr(0, std::min(text.find('\0'), text.size()));
}

CString Utf8FromCodePage(std::string_view bytes, int codePage) {
    if (codePage == kCodePageUtf8)
        return CString(bytes);
    std::string out;
    for (const DisplayChar& ch : DecodeDisplayText(bytes))
        AppendUtf8(out, ch.code);
    return CString(std::move(out));
}

CString Utf8FromUtf16(std::string_view bytes) {
    std::string out;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t unit = static_cast<BYTE>(bytes[i]) | static_cast<BYTE>(bytes[i + 1]) << 8;
        if (unit == 0)
            break;
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = static_cast<BYTE>(bytes[i + 2]) | static_cast<BYTE>(bytes[i + 3])
                                                                       << 8;
            if (low >= 0xDC00 && low < 0xE000) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? char32_t{0xFFFD} : unit);
    }
    return CString(std::move(out));
}

void WriteValue(Writer& out, const CPropValue& value) {
    out.Dword(value.type);
    switch (value.type) {
        case VT_I2:
            out.Word(static_cast<WORD>(value.number));
            break;
        case VT_I4:
            out.Dword(static_cast<DWORD>(value.number));
            break;
        case VT_FILETIME:
            out.Qword(value.time);
            break;
        default:  // VT_LPSTR
            out.Dword(static_cast<DWORD>(value.text.GetLength() + 1));
            out.Bytes(value.text.c_str(), value.text.GetLength() + 1);
            break;
    }
    out.PadTo4();
}

void WriteSection(Writer& out, const CPropSection& section) {
    const size_t start = out.Size();
    const auto& values = section.Values();
    out.Dword(0);  // size, patched below
    out.Dword(static_cast<DWORD>(values.size()));
    const size_t table = out.Size();
    for (size_t i = 0; i < values.size(); ++i) {
        out.Dword(values[i].id);
        out.Dword(0);
    }
    for (size_t i = 0; i < values.size(); ++i) {
        out.PatchDword(table + i * kPropertyEntrySize + 4, static_cast<DWORD>(out.Size() - start));
        WriteValue(out, values[i]);
    }
    out.PatchDword(start, static_cast<DWORD>(out.Size() - start));
}

// One value at offset at of the section; false for a type that is not kept. Strings come
// back as stored (wide tells UTF-16) until the section's code page is known.
bool ReadValue(const Reader& section, size_t at, CPropValue& value, bool& wide) {
    value.type = section.Dword(at);
    wide = false;
    switch (value.type) {
        case VT_I2:
            value.number = static_cast<std::int16_t>(section.Number(at + 4, 2));
            return true;
        case VT_I4:
            value.number = static_cast<std::int32_t>(section.Dword(at + 4));
            return true;
        case VT_FILETIME:
            value.time = section.Number(at + 4, 8);
            return true;
        case VT_LPSTR:
            value.text = CString(UpToNul(section.Span(at + 8, section.Dword(at + 4))));
            return true;
        case VT_LPWSTR: {
            const std::uint64_t units = section.Dword(at + 4);
            value.text = CString(section.Span(at + 8, static_cast<size_t>(units * 2)));
            wide = true;
            value.type = VT_LPSTR;
            return true;
        }
        default:
            return false;
    }
}

CPropSection ReadSection(std::span<const BYTE> bytes, const PropFormatId& formatId, size_t offset) {
    if (offset > bytes.size())
        throw PropertySetError("a property section lies past the end of the set");
    const Reader head(bytes, offset, bytes.size());
    const DWORD size = head.Dword(0);
    if (size < kSectionHeaderSize || size > head.Size())
        throw PropertySetError("a property section has a bad size");
    const Reader section(bytes, offset, offset + size);
    const DWORD count = section.Dword(4);
    if (count > (size - kSectionHeaderSize) / kPropertyEntrySize)
        throw PropertySetError("a property section lists more properties than it holds");
    CPropSection result(formatId);
    std::vector<bool> wide;
    for (DWORD i = 0; i < count; ++i) {
        const size_t entry = kSectionHeaderSize + size_t{i} * kPropertyEntrySize;
        CPropValue value;
        value.id = section.Dword(entry);
        bool isWide = false;
        if (ReadValue(section, section.Dword(entry + 4), value, isWide) && !result.Get(value.id)) {
            result.Set(value);
            wide.push_back(isWide);
        }
    }
    const CPropValue* codePage = result.Get(kPropCodePage);
    const int page = codePage && codePage->type == VT_I2 ? static_cast<WORD>(codePage->number) : 0;
    CPropSection converted(formatId);
    for (size_t i = 0; i < result.Values().size(); ++i) {
        CPropValue value = result.Values()[i];
        if (value.type == VT_LPSTR)
            value.text = wide[i] ? Utf8FromUtf16(value.text.str())
                                 : Utf8FromCodePage(value.text.str(), page);
        converted.Set(value);
    }
    return converted;
}

}  // namespace

void CPropSection::Set(const CPropValue& value) {
    auto it = std::find_if(m_values.begin(), m_values.end(),
                           [&](const CPropValue& v) { return v.id == value.id; });
    if (it != m_values.end())
        *it = value;
    else
        m_values.push_back(value);
}

const CPropValue* CPropSection::Get(DWORD id) const {
    for (const CPropValue& value : m_values) {
        if (value.id == id)
            return &value;
    }
    return nullptr;
}

std::vector<BYTE> CPropSet::Write() const {
    Writer out;
    out.Word(m_byteOrder);
    out.Word(m_format);
    out.Dword(m_osVersion);
    out.Bytes(m_classId.data(), m_classId.size());
    out.Dword(static_cast<DWORD>(m_sections.size()));
    const size_t entries = out.Size();
    for (const CPropSection& section : m_sections) {
        out.Bytes(section.GetFormatId().data(), section.GetFormatId().size());
        out.Dword(0);
    }
    for (size_t i = 0; i < m_sections.size(); ++i) {
        out.PatchDword(entries + i * kSectionEntrySize + 16, static_cast<DWORD>(out.Size()));
        WriteSection(out, m_sections[i]);
    }
    return std::move(out.Out());
}

CPropSet CPropSet::Read(std::span<const BYTE> bytes) {
    const Reader stream(bytes, 0, bytes.size());
    if (bytes.size() < kHeaderSize || stream.Number(0, 2) != 0xFFFE)
        throw PropertySetError("not a property set");
    CPropSet set;
    set.m_byteOrder = 0xFFFE;
    set.m_format = static_cast<WORD>(stream.Number(2, 2));
    set.m_osVersion = stream.Dword(4);
    std::copy_n(bytes.begin() + 8, 16, set.m_classId.begin());
    const DWORD count = stream.Dword(24);
    if (count > (bytes.size() - kHeaderSize) / kSectionEntrySize)
        throw PropertySetError("a property set lists more sections than it holds");
    for (DWORD i = 0; i < count; ++i) {
        const size_t entry = kHeaderSize + size_t{i} * kSectionEntrySize;
        PropFormatId formatId;
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(entry), 16, formatId.begin());
        set.m_sections.push_back(ReadSection(bytes, formatId, stream.Dword(entry + 16)));
    }
    return set;
}

const CPropSection* CPropSet::FindSection(const PropFormatId& formatId) const {
    for (const CPropSection& section : m_sections) {
        if (section.GetFormatId() == formatId)
            return &section;
    }
    return nullptr;
}
