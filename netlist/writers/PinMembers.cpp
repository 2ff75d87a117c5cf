#include "netlist/writers/PinMembers.h"

#include <algorithm>
#include <string_view>

#include "model/app/NameList.h"

namespace {

// Whether the text is one name as it stands: no list, range, group or blank in it. Nearly
// every pin number is.
bool IsPlainName(std::string_view text) {
    return !text.empty() && std::none_of(text.begin(), text.end(), [](char ch) {
        return ch == ',' || ch == '[' || ch == '(' || ch == ')' || ch == ' ' ||
               (ch >= '\t' && ch <= '\r');
    });
}

}  // namespace

std::vector<CString> PinMembers(const CString& number) {
    if (IsPlainName(number.str()))
        return {number};
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
