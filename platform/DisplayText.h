#pragma once
// The characters of stored text, for showing it. Text is kept as bytes: new text is UTF-8,
// text from older files is in the Windows Western code page (1252). A text that is valid
// UTF-8 is read as UTF-8, any other as code page 1252, byte by byte.

#include <cstddef>
#include <string_view>
#include <vector>

struct DisplayChar {
    char32_t code;  // Unicode code point
    size_t offset;  // first byte in the text
    size_t length;  // bytes
};

std::vector<DisplayChar> DecodeDisplayText(std::string_view bytes);
