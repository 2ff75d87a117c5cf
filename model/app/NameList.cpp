#include "model/app/NameList.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool IsBlank(char ch) {
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

void SkipBlanks(std::string_view& text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
}

// An int with optional blanks and sign before it; false when there are no digits or the
// number does not fit an int.
bool ReadInt(std::string_view& text, int& value) {
    SkipBlanks(text);
    if (!text.empty() && text.front() == '+') {  // from_chars takes only a minus sign
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc())
        return false;
    text.remove_prefix(static_cast<size_t>(end - text.data()));
    return true;
}

// "[ first .. last" at the start of text, blanks optional; what follows is not looked at.
bool ReadRange(std::string_view text, int& first, int& last) {
    text.remove_prefix(1);  // '['
    if (!ReadInt(text, first))
        return false;
    SkipBlanks(text);
    if (text.substr(0, 2) != "..")
        return false;
    text.remove_prefix(2);
    return ReadInt(text, last);
}

class NameCollector {
public:
    explicit NameCollector(CStringArray& names) : m_names(names) {}

    // False once the limits are reached.
    bool Add(std::string_view name) {
        if (name.empty())
            return true;
        if (m_count == kMaxListedNames ||
            name.size() > static_cast<size_t>(kMaxListedNameBytes - m_bytes)) {
            m_truncated = true;
            return false;
        }
        m_names.Add(CString(name));
        ++m_count;
        m_bytes += static_cast<int>(name.size());
        return true;
    }

    bool AddRange(std::string_view prefix, int first, int last) {
        std::string name(prefix);
        for (std::int64_t i = first; i <= last; ++i) {
            name.resize(prefix.size());
            name += std::to_string(i);
            if (!Add(name))
                return false;
        }
        return true;
    }

    NameListResult Result() const {
        return m_truncated ? NameListResult::Truncated : NameListResult::Complete;
    }

private:
    CStringArray& m_names;
    int m_count = 0;
    int m_bytes = 0;
    bool m_truncated = false;
};

}  // namespace

NameListResult ExpandNameList(CStringArray& names, const char* text) {
    const std::string_view all = text ? std::string_view(text) : std::string_view();
    NameCollector collector(names);
    size_t start = 0;
    auto startSegment = [&](size_t at) {
        while (at < all.size() && IsBlank(all[at]))
            ++at;
        start = at;
        return at;
    };
    for (size_t i = startSegment(0); i < all.size();) {
        const char ch = all[i];
        if (ch == ',') {
            if (!collector.Add(Trimmed(all.substr(start, i - start))))
                return collector.Result();
            i = startSegment(i + 1);
        } else if (ch == '[') {
            const size_t close = all.find(']', i + 1);
            if (close == std::string_view::npos) {
                ++i;
                continue;
            }
            int first = 0;
            int last = 0;
            if (ReadRange(all.substr(i, close - i), first, last) && first <= last &&
                !collector.AddRange(Trimmed(all.substr(start, i - start)), first, last))
                return collector.Result();
            i = startSegment(close + 1);
        } else if (ch == '(') {
            const size_t close = all.find(')', i + 1);
            i = close == std::string_view::npos ? i + 1 : close + 1;
        } else {
            ++i;
        }
    }
    if (start < all.size())
        collector.Add(Trimmed(all.substr(start)));
    return collector.Result();
}

bool IsPlainName(std::string_view text) {
    return !text.empty() && text.size() <= static_cast<size_t>(kMaxListedNameBytes) &&
           std::none_of(text.begin(), text.end(), [](char ch) {
               return ch == ',' || ch == '[' || ch == '(' || ch == ')' || IsBlank(ch);
           });
}
