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

std::vector<RenamedImplicitPin> RenamedImplicitPins(const std::vector<ImplicitPin>& before,
                                                    const std::vector<ImplicitPin>& after) {
    const auto named = [](const std::vector<ImplicitPin>& pins, const std::string& name) {
        return std::any_of(pins.begin(), pins.end(),
                           [&name](const ImplicitPin& pin) { return pin.name == name; });
    };
    std::vector<const ImplicitPin*> gone;
    for (const ImplicitPin& pin : before) {
        if (!named(after, pin.name))
            gone.push_back(&pin);
    }
    std::vector<const ImplicitPin*> fresh;
    for (const ImplicitPin& pin : after) {
        if (!named(before, pin.name))
            fresh.push_back(&pin);
    }
    std::vector<RenamedImplicitPin> renamed;
    const auto pair = [&](auto old, auto now) {
        renamed.push_back({(*old)->name, (*now)->name});
        gone.erase(old);
        fresh.erase(now);
    };
    for (auto now = fresh.begin(); now != fresh.end();) {
        const auto old = std::find_if(gone.begin(), gone.end(), [&now](const ImplicitPin* pin) {
            return pin->number == (*now)->number;
        });
        if (old == gone.end()) {
            ++now;
            continue;
        }
        const auto at = now - fresh.begin();
        pair(old, now);
        now = fresh.begin() + at;
    }
    if (gone.size() == 1 && fresh.size() == 1)
        pair(gone.begin(), fresh.begin());
    return renamed;
}
