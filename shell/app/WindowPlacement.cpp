#include "shell/app/WindowPlacement.h"

#include <QWidget>
#include <charconv>
#include <cstdint>
#include <limits>

namespace {

// Reads one number at pos (after optional blanks and sign); false when there is none or it
// does not fit in 32 bits.
bool ReadNumber(const std::string& text, size_t& pos, int64_t& value) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    size_t start = pos;
    if (pos < text.size() && text[pos] == '+')
        start = ++pos;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || value < std::numeric_limits<int32_t>::min() ||
        value > std::numeric_limits<uint32_t>::max())
        return false;
    pos = static_cast<size_t>(end - text.data());
    return true;
}

}  // namespace

std::string FormatWindowPlacement(const WindowPlacement& p) {
    std::string text = std::to_string(p.flags) + ',' + std::to_string(p.showCmd);
    for (LONG v : {p.minPosition.x, p.minPosition.y, p.maxPosition.x, p.maxPosition.y,
                   p.normal.left, p.normal.top, p.normal.right, p.normal.bottom})
        text += ',' + std::to_string(v);
    return text;
}

std::optional<WindowPlacement> ParseWindowPlacement(const std::string& text) {
    int64_t v[10];
    size_t pos = 0;
    for (int i = 0; i < 10; ++i) {
        if (i > 0 && (pos >= text.size() || text[pos++] != ','))
            return std::nullopt;
        if (!ReadNumber(text, pos, v[i]))
            return std::nullopt;
    }
    auto asLong = [](int64_t x) { return static_cast<LONG>(static_cast<int32_t>(x)); };
    WindowPlacement p;
    p.flags = static_cast<UINT>(v[0]);
    p.showCmd = static_cast<UINT>(v[1]);
    p.minPosition = {asLong(v[2]), asLong(v[3])};
    p.maxPosition = {asLong(v[4]), asLong(v[5])};
    p.normal = {asLong(v[6]), asLong(v[7]), asLong(v[8]), asLong(v[9])};
    if (p.normal.right <= p.normal.left || p.normal.bottom <= p.normal.top)
        return std::nullopt;
    return p;
}

int ResolveShowCommand(const WindowPlacement& placement, int startShowCmd) {
    if (startShowCmd != SW_SHOWNORMAL)
        return startShowCmd;
    if (placement.showCmd == SW_SHOWNORMAL || placement.showCmd == SW_SHOWMAXIMIZED)
        return static_cast<int>(placement.showCmd);
    return (placement.flags & WPF_RESTORETOMAXIMIZED) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
}

void ShowWithCommand(QWidget& window, int showCmd) {
    switch (showCmd) {
        case SW_HIDE:
            window.hide();
            break;
        case SW_SHOWMAXIMIZED:
            window.showMaximized();
            break;
        case SW_SHOWMINIMIZED:
            window.showMinimized();
            break;
        default:
            window.showNormal();
            break;
    }
}
