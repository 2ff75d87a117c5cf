#include "platform/CompoundName.h"

#include "platform/CompoundFileError.h"
#include "platform/Utf8.h"

namespace compound {
namespace {

[[noreturn]] void BadName(std::string_view name, const char* reason) {
    throw CompoundFileError("invalid compound file entry name \"" + std::string(name) +
                            "\": " + reason);
}

bool IsForbiddenUnit(char32_t c) {
    return c == 0 || c == '/' || c == '\\' || c == ':' || c == '!';
}

char16_t UpperUnit(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
        (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) || (c >= 0x430 && c <= 0x44F))
        return static_cast<char16_t>(c - 0x20);
    if (c == 0xFF)
        return 0x178;
    if (c == 0xB5)
        return 0x39C;
    if (c == 0x3C2)
        return 0x3A3;
    if (c >= 0x450 && c <= 0x45F)
        return static_cast<char16_t>(c - 0x50);
    return c;
}

}  // namespace

std::u16string EncodeName(std::string_view utf8) {
    if (utf8.empty())
        BadName(utf8, "empty");
    std::u16string out;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = 0;
        const std::size_t length = Utf8SequenceAt(utf8, pos, cp);
        if (length == 0)
            BadName(utf8, "not valid UTF-8");
        pos += length;
        if (IsForbiddenUnit(cp))
            BadName(utf8, "contains NUL, '/', '\\', ':' or '!'");
        if (cp < 0x10000) {
            out += static_cast<char16_t>(cp);
        } else {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
        if (out.size() > kMaxNameUnits)
            BadName(utf8, "longer than 31 UTF-16 units");
    }
    return out;
}

std::string DecodeName(const std::u16string& utf16) {
    std::string out;
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t cp = utf16[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            BadName(out, "unpaired UTF-16 surrogate");
        }
        AppendUtf8(out, cp);
    }
    EncodeName(out);
    return out;
}

std::u16string NameKey(const std::u16string& utf16) {
    std::u16string key = utf16;
    for (char16_t& c : key)
        c = UpperUnit(c);
    return key;
}

bool NameKeyLess(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

}  // namespace compound
