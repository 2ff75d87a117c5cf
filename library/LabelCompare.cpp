#include "library/LabelCompare.h"

#include <algorithm>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where the trailing run of digits begins.
size_t NumberStart(std::string_view text) {
    size_t start = text.size();
    while (start > 0 && IsDigit(text[start - 1]))
        --start;
    return start;
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// Two runs of decimal digits by value, read as texts so that no length overflows.
int CompareDigitRuns(std::string_view a, std::string_view b) {
    a.remove_prefix(std::min(a.find_first_not_of('0'), a.size()));
    b.remove_prefix(std::min(b.find_first_not_of('0'), b.size()));
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return Sign(a.compare(b));
}

}  // namespace

int CompareLabelsNumeric(std::string_view a, std::string_view b) {
    const size_t prefixA = NumberStart(a);
    const size_t prefixB = NumberStart(b);
    if (prefixA != prefixB)
        return Sign(a.compare(b));
    if (const int prefix = a.substr(0, prefixA).compare(b.substr(0, prefixB)); prefix != 0)
        return Sign(prefix);
    return CompareDigitRuns(a.substr(prefixA), b.substr(prefixB));
}
