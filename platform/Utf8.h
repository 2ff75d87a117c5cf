#pragma once
// UTF-8 encoding and decoding of single code points.

#include <cstddef>
#include <string>
#include <string_view>

// Appends the UTF-8 bytes of a code point (at most U+10FFFF) to out.
void AppendUtf8(std::string& out, char32_t codePoint);

// Reads the code point of strict UTF-8 that starts at text[pos] (pos < text.size()) and moves pos
// past it; false on a malformed sequence (overlong, surrogate, above U+10FFFF, cut short).
bool ReadUtf8(std::string_view text, std::size_t& pos, char32_t& codePoint);
