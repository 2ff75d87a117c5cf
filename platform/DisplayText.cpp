#include "platform/DisplayText.h"

#include <iterator>

#include "platform/Utf8.h"

namespace {

// Code page 1252 at 0x80..0x9F; the five unassigned bytes keep their own value.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool DecodeUtf8(std::string_view s, std::vector<DisplayChar>& out) {
    for (size_t i = 0; i < s.size();) {
        char32_t code = 0;
        const size_t length = Utf8SequenceAt(s, i, code);
        if (length == 0)
            return false;
        out.push_back(DisplayChar{code, i, length});
        i += length;
    }
    return true;
}

}  // namespace

std::vector<DisplayChar> DecodeDisplayText(std::string_view bytes) {
    std::vector<DisplayChar> chars;
    chars.reserve(bytes.size());
    if (DecodeUtf8(bytes, chars))
        return chars;
    chars.clear();
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const char32_t code = byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
        chars.push_back(DisplayChar{code, i, 1});
    }
    return chars;
}

bool IsCp1252Text(std::string_view bytes) {
    char32_t code = 0;
    for (size_t i = 0, length = 0; i < bytes.size(); i += length) {
        length = Utf8SequenceAt(bytes, i, code);
        if (length == 0)
            return true;
    }
    return false;
}

std::optional<char> Cp1252Byte(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code < 0x100))
        return static_cast<char>(code);
    for (size_t i = 0; i < std::size(kCp1252High); ++i) {
        if (kCp1252High[i] == code)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

void AppendCp1252(std::string& out, char32_t code) {
    if (const std::optional<char> byte = Cp1252Byte(code))
        out += *byte;
    else
        AppendUtf8(out, code);
}
