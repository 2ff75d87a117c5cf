#include "model/device/ImplicitPins.h"

#include <algorithm>

namespace {

bool IsSeparator(char c) {
    return c == '\x01' || c == ' ' || c == '\t' || c == ',';
}

bool Before(const ImplicitPin& a, const ImplicitPin& b) {
    return a.name != b.name ? a.name < b.name : a.number < b.number;
}

}  // namespace

std::vector<ImplicitToken> SplitImplicitList(std::string_view text) {
    std::vector<ImplicitToken> tokens;
    size_t start = 0;
    int depth = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        if (!end && text[i] == '(')
            ++depth;
        else if (!end && text[i] == ')' && depth > 0)
            --depth;
        if (!end && (depth > 0 || !IsSeparator(text[i])))
            continue;
        if (i > start)
            tokens.push_back({text.substr(start, i - start), start});
        start = i + 1;
    }
    return tokens;
}

bool IsImplicitPinText(std::string_view text) {
    const std::vector<ImplicitToken> tokens = SplitImplicitList(text);
    return text.find('\n') == std::string_view::npos && tokens.size() == 1 &&
           tokens[0].text.size() == text.size();
}

std::vector<ImplicitPin> ParseImplicitPins(std::string_view text) {
    const std::vector<ImplicitToken> tokens = SplitImplicitList(text);
    std::vector<ImplicitPin> pins;
    for (size_t i = 0; i < tokens.size(); i += 2) {
        pins.push_back({std::string(tokens[i].text),
                        i + 1 < tokens.size() ? std::string(tokens[i + 1].text) : std::string()});
    }
    return pins;
}

bool SameImplicitPins(std::string_view a, std::string_view b) {
    std::vector<ImplicitPin> first = ParseImplicitPins(a);
    std::vector<ImplicitPin> second = ParseImplicitPins(b);
    std::sort(first.begin(), first.end(), Before);
    std::sort(second.begin(), second.end(), Before);
    return first == second;
}
