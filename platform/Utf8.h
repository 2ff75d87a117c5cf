#pragma once
// UTF-8 encoding of single code points.

#include <string>

// Appends the UTF-8 bytes of a code point (at most U+10FFFF) to out.
void AppendUtf8(std::string& out, char32_t codePoint);
