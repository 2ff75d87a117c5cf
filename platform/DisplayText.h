#pragma once
// The characters of stored text, for showing it. Text is kept as bytes: new text is UTF-8,
// text from older files is in the Windows Western code page (1252). A text that is valid
// UTF-8 is read as UTF-8, any other as code page 1252, byte by byte.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct DisplayChar {
    char32_t code;  // Unicode code point
    size_t offset;  // first byte in the text
    size_t length;  // bytes
};

std::vector<DisplayChar> DecodeDisplayText(std::string_view bytes);

// Whether DecodeDisplayText reads bytes as code page 1252 (they are not valid UTF-8).
bool IsCp1252Text(std::string_view bytes);

// The byte that stands for code in code page 1252 as DecodeDisplayText reads it; none for a
// character the code page lacks.
std::optional<char> Cp1252Byte(char32_t code);

// Appends code in code page 1252, so that text read that way is written back byte for byte.
// A character the code page lacks can only have been typed in: its UTF-8 bytes are appended.
void AppendCp1252(std::string& out, char32_t code);
