#pragma once
// The "Symbol" face puts Greek letters and mathematical signs on the byte codes of ASCII and
// the upper half. Text in that face keeps its bytes as stored; a window shows each byte as
// the Unicode character the face draws for it.

#include <string_view>
#include <vector>

#include "platform/DisplayText.h"

// Whether face names the Symbol face (case ignored).
bool IsSymbolFace(std::string_view face);

// The character the Symbol face draws for byte; 0 for a code the face leaves empty.
char32_t SymbolFaceChar(unsigned char byte);

// The characters of text in the Symbol face: one per byte.
std::vector<DisplayChar> DecodeSymbolFaceText(std::string_view bytes);
