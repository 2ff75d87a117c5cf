#pragma once
// FormatDxfReal: a real as DXF groups hold it, in general notation with up to six significant
// digits and '.' for the point, as printf's "%.6g" writes it in the C locale. A drawing's
// coordinates take a short way; the rest go through std::to_chars, which rounds the exact binary
// value, and the short way gives way to it wherever its own rounding could differ.

#include <cstddef>

// The most characters a real takes.
inline constexpr std::size_t kDxfRealRoom = 16;

// Writes value at first; returns the end of what it wrote.
char* FormatDxfReal(char* first, double value);
