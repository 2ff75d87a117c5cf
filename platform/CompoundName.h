#pragma once
// Names of compound-file entries: UTF-8 for callers, UTF-16 in the file, and the order the
// format keeps siblings in (shorter names first, then by upper-cased UTF-16 units).

#include <cstddef>
#include <string>
#include <string_view>

namespace compound {

// The longest name in UTF-16 units, without the terminating NUL.
constexpr std::size_t kMaxNameUnits = 31;

// Converts a caller's name to UTF-16; throws CompoundFileError when the name is empty, not
// valid UTF-8, longer than kMaxNameUnits, or holds NUL, '/', '\\', ':' or '!'.
std::u16string EncodeName(std::string_view utf8);

// Converts a stored name back to UTF-8 after the same checks as EncodeName.
std::string DecodeName(const std::u16string& utf16);

// The name with every unit upper-cased: ASCII, Latin-1, Greek and Cyrillic letters.
std::u16string NameKey(const std::u16string& utf16);

// The format's sibling order on keys made by NameKey: by length, then unit by unit.
bool NameKeyLess(const std::u16string& a, const std::u16string& b);

}  // namespace compound
