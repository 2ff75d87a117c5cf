#pragma once
// The pin numbers a connection stands for, as the printed-circuit writers print them: the
// number text without its parentheses, expanded as a name list ("(1,2)" gives 1 and 2).

#include <vector>

#include "platform/CString.h"

std::vector<CString> PinMembers(const CString& number);
