#include "interchange/dxf/DxfCodePage.h"

#include <optional>

#include "platform/DisplayText.h"

namespace {

constexpr char32_t kFirstSupplementary = 0x10000;
constexpr char32_t kHighSurrogate = 0xD800;
constexpr char32_t kLowSurrogate = 0xDC00;
constexpr int kSurrogateBits = 10;
constexpr char32_t kSurrogateMask = 0x3FF;

void AppendEscape(std::string& out, char32_t unit) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    out += kDxfUnicodeEscape;
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kDigits[(unit >> shift) & 0xF];
}

}  // namespace

std::string DxfCodePageText(std::string_view text) {
    if (IsCp1252Text(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (const DisplayChar& ch : DecodeDisplayText(text)) {
        if (const std::optional<char> byte = Cp1252Byte(ch.code)) {
            out += *byte;
        } else if (ch.code < kFirstSupplementary) {
            AppendEscape(out, ch.code);
        } else {
            const char32_t offset = ch.code - kFirstSupplementary;
            AppendEscape(out, kHighSurrogate + (offset >> kSurrogateBits));
            AppendEscape(out, kLowSurrogate + (offset & kSurrogateMask));
        }
    }
    return out;
}
