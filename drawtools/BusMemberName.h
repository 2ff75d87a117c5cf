#pragma once
// The name a wire takes when it ends on a bus: the member matching the pin at its other end,
// else the members in turn.

#include "platform/Arrays.h"
#include "platform/CString.h"

// With a pin at the other end (pinId not null): the member equal to the pin's identifier,
// else the first member whose trailing number equals the identifier's. Otherwise, and when
// no member matches, the member at counter, which then advances and wraps to 0 at the end.
// Empty with fewer than two members.
CString ChooseBusMember(const CStringArray& members, const char* pinId, int& counter);
