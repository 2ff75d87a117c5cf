#pragma once
// UTF-8 encoding and strict decoding of single code points.

#include <cstddef>
#include <string>
#include <string_view>

// Appends the UTF-8 bytes of a code point (at most U+10FFFF) to out.
void AppendUtf8(std::string& out, char32_t codePoint);

// Length of the UTF-8 sequence at s[i] and its code point in code; 0 when the sequence is not
// well formed (cut short, overlong, a surrogate or above U+10FFFF).
std::size_t Utf8SequenceAt(std::string_view s, std::size_t i, char32_t& code);
