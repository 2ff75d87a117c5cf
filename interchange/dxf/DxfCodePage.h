#pragma once
// The code page of the DXF file's text: Windows Western (1252), declared in the header. A
// character the code page lacks is written as the escape "\U+XXXX" of its UTF-16 code unit(s),
// which DXF readers turn back into the character.

#include <cstddef>
#include <string>
#include <string_view>

// The value of the header variable $DWGCODEPAGE.
inline constexpr std::string_view kDxfCodePage = "ANSI_1252";

// The escape's opening and its whole length.
inline constexpr std::string_view kDxfUnicodeEscape = "\\U+";
inline constexpr std::size_t kDxfUnicodeEscapeLength = 7;

// Stored text as the file holds it: text that is not valid UTF-8 is already in code page 1252
// and stays as it is; UTF-8 text goes into code page 1252, with an escape for each character
// the code page lacks.
std::string DxfCodePageText(std::string_view text);
