#include "netlist/writers/PinMembers.h"

std::vector<CString> ExpandPinMembers(const CString& number) {
    CString text = number;
    text.Remove('(');
    text.Remove(')');
    CStringArray members;
    ExpandNameList(members, text);
    std::vector<CString> result;
    result.reserve(static_cast<size_t>(members.GetSize()));
    for (int i = 0; i < members.GetSize(); ++i)
        result.push_back(members[i]);
    return result;
}
