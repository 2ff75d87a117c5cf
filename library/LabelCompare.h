#pragma once
// Comparing labels so that a trailing number sorts by its value: "R2" before "R10".

#include <string_view>

// -1, 0 or 1. Texts whose parts before the trailing digits differ in length compare as plain
// byte strings; else the parts compare byte for byte, then the trailing numbers by value (none
// counts as 0). Numbers of any length compare exactly. This is no strict weak order ("A9" <
// "A10" < "A1Z" < "A9"), so sort with a stable sort or an insertion that tolerates it.
int CompareLabelsNumeric(std::string_view a, std::string_view b);
