#include "netlist/tools/ToolArguments.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

std::vector<std::string> SplitArguments(const std::string& line) {
    std::vector<std::string> args;
    std::string current;
    int quotes = 0;  // double quotes met in a row
    bool quoted = false;
    for (char c : line) {
        if (c == '"') {
            if (++quotes == 3) {
                quotes = 0;
                current += c;
            }
            continue;
        }
        // One quote opens or closes a quoted part; two in a row stand for nothing.
        if (quotes == 1)
            quoted = !quoted;
        quotes = 0;
        if (!quoted && IsBlank(c)) {
            if (!current.empty())
                args.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        args.push_back(current);
    return args;
}
