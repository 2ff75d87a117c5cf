#include "netlist/spice/SpiceOutputVar.h"

#include <cctype>
#include <ostream>
#include <string_view>
#include <vector>

namespace {

struct KindWord {
    std::string_view word;
    int kind;
};

// Longer words first, so that VDB is not taken for V.
constexpr KindWord kVoltageWords[] = {{"VDB", CSpiceOutputVar::kVDB}, {"VR", CSpiceOutputVar::kVR},
                                      {"VI", CSpiceOutputVar::kVI},   {"VM", CSpiceOutputVar::kVM},
                                      {"VP", CSpiceOutputVar::kVP},   {"V", CSpiceOutputVar::kV}};

constexpr const char* kKindNames[] = {"I( ", "V( ", "VR( ", "VI( ", "VM( ", "VP( ", "VDB( "};

bool StartsWithNoCase(std::string_view text, std::string_view word) {
    if (text.size() < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != word[i])
            return false;
    }
    return true;
}

// The kind of the variable at the front of text, moving text on past the kind's word;
// kNone when text runs out.
int TakeKind(std::string_view& text) {
    while (!text.empty()) {
        if (text.front() == 'I' || text.front() == 'i') {
            text.remove_prefix(1);
            return CSpiceOutputVar::kI;
        }
        for (const KindWord& kind : kVoltageWords) {
            if (StartsWithNoCase(text, kind.word)) {
                text.remove_prefix(kind.word.size());
                return kind.kind;
            }
        }
        text.remove_prefix(1);
    }
    return CSpiceOutputVar::kNone;
}

CString TrimRight(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return CString(std::string(text));
}

// The comma-separated arguments of list, each without white space around it; none for an
// empty list.
std::vector<CString> SplitArguments(std::string_view list) {
    std::vector<CString> arguments;
    while (true) {
        while (!list.empty() && std::isspace(static_cast<unsigned char>(list.front())))
            list.remove_prefix(1);
        const std::size_t comma = list.find(',');
        arguments.push_back(TrimRight(list.substr(0, comma)));
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    if (arguments.size() == 1 && arguments.front().IsEmpty())
        arguments.clear();
    return arguments;
}

}  // namespace

int ParseOutputVariables(CSpiceOutputVar* records, int maxCount, const char* text,
                         std::ostream* log) {
    if (!text)
        return 0;
    std::string_view rest(text);
    int count = 0;
    while (count < maxCount && !rest.empty()) {
        const int kind = TakeKind(rest);
        const std::size_t open = rest.find('(');
        if (kind == CSpiceOutputVar::kNone || open == std::string_view::npos)
            break;
        const std::size_t close = rest.find(')', open);
        if (close == std::string_view::npos)
            break;
        const std::vector<CString> arguments =
            SplitArguments(rest.substr(open + 1, close - open - 1));
        const std::size_t allowed = kind == CSpiceOutputVar::kI ? 1 : 2;
        if (arguments.empty() || arguments.size() > allowed) {
            if (log)
                *log << (arguments.empty() ? "Error - not enough arguments"
                                           : "Error - too many arguments")
                     << text << "\n";
            break;
        }
        CSpiceOutputVar& record = records[count++];
        record.kind = kind;
        record.arg1 = arguments[0];
        record.arg2 = arguments.size() > 1 ? arguments[1] : CString();
        rest.remove_prefix(close + 1);
    }
    return count;
}

CString FormatOutputVariable(const CSpiceOutputVar& record) {
    if (record.kind < CSpiceOutputVar::kI || record.kind > CSpiceOutputVar::kVDB)
        return CString();
    CString text = kKindNames[record.kind] + record.arg1;
    if (!record.arg2.IsEmpty())
        text += ", " + record.arg2;
    return text + " )";
}
