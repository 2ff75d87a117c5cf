#pragma once
// Lists of names as users write them: "D[0..7], CLK, (A,B)". A comma separates names, a
// bracketed range "[first..last]" expands the text before it into numbered names, and
// parentheses keep their contents together.

#include <string_view>

#include "platform/Arrays.h"

// Expansion stops once it has added this many names or this many bytes of names, so that a
// range such as D[0..2000000000] cannot exhaust memory.
constexpr int kMaxListedNames = 65536;
constexpr int kMaxListedNameBytes = 16 * 1024 * 1024;

enum class NameListResult {
    Complete,
    Truncated  // the limits above were reached; the names after that point were left out
};

// Appends the names of text to names (existing entries stay). Blanks around names are
// dropped, empty names are not added, and a bracketed part that is not a rising range of
// integers adds nothing (not even the text before it).
NameListResult ExpandNameList(CStringArray& names, const char* text);
// Whether text is one name as it stands (no list, range, group or blank in it), which
// ExpandNameList gives back as its only member. Nearly every pin name and number is.
bool IsPlainName(std::string_view text);
