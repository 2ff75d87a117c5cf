#pragma once
// The pin numbers a connection stands for, as the printed-circuit writers print them: the
// number text without its parentheses, expanded as a name list ("(1,2)" gives 1 and 2).

#include <vector>

#include "model/app/NameList.h"
#include "platform/CString.h"

// The members of a number that is not a plain name.
std::vector<CString> ExpandPinMembers(const CString& number);

// Calls visit(member) for each member in order; a plain number is its own only member.
template <class Visit>
void ForEachPinMember(const CString& number, Visit visit) {
    if (IsPlainName(number.str())) {
        visit(number);
        return;
    }
    for (const CString& member : ExpandPinMembers(number))
        visit(member);
}
