#include "drawtools/BusMemberName.h"

#include <cctype>

namespace {

// The digits at the end of a name; empty when it ends otherwise.
CString TrailingDigits(const CString& name) {
    int first = name.GetLength();
    while (first > 0 && std::isdigit(static_cast<unsigned char>(name[first - 1])))
        --first;
    return name.Mid(first);
}

// Whether two digit strings give the same number: leading zeros do not count.
bool SameNumber(const CString& a, const CString& b) {
    const auto significant = [](const CString& digits) {
        int first = 0;
        while (first + 1 < digits.GetLength() && digits[first] == '0')
            ++first;
        return digits.Mid(first);
    };
    return significant(a) == significant(b);
}

CString MatchPin(const CStringArray& members, const CString& pinId) {
    for (int i = 0; i < members.GetSize(); ++i) {
        if (members[i] == pinId)
            return members[i];
    }
    const CString digits = TrailingDigits(pinId);
    if (digits.IsEmpty())
        return CString();
    for (int i = 0; i < members.GetSize(); ++i) {
        const CString memberDigits = TrailingDigits(members[i]);
        if (!memberDigits.IsEmpty() && SameNumber(memberDigits, digits))
            return members[i];
    }
    return CString();
}

}  // namespace

CString ChooseBusMember(const CStringArray& members, const char* pinId, int& counter) {
    if (members.GetSize() < 2)
        return CString();
    if (pinId) {
        const CString matched = MatchPin(members, pinId);
        if (!matched.IsEmpty())
            return matched;
    }
    if (counter < 0 || counter >= members.GetSize())
        counter = 0;
    return members[counter++];
}
