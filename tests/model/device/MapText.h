#pragma once
// Pin maps written readably in tests: '|' stands for the field separator 0x01.

#include <algorithm>
#include <string>

inline std::string MapText(std::string text) {
    std::replace(text.begin(), text.end(), '|', '\x01');
    return text;
}

// The other way: the separators of a stored map shown as '|'.
inline std::string ReadableMap(std::string text) {
    std::replace(text.begin(), text.end(), '\x01', '|');
    return text;
}
