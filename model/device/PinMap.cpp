#include "model/device/PinMap.h"

#include <algorithm>

namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Byte order with bytes taken unsigned, as std::string_view compares through char_traits.
bool Less(std::string_view a, std::string_view b) {
    return a.compare(b) < 0;
}

bool LineLess(const CPinMapLine& a, const CPinMapLine& b) {
    if (a.gate != b.gate)
        return Less(a.gate, b.gate);
    return Less(a.symbol, b.symbol);
}

bool PairLess(const CPinMapPair& a, const CPinMapPair& b) {
    return Less(a.name, b.name);
}

}  // namespace

CPinMapPair* CPinMapLine::FindPin(std::string_view name) {
    auto at = std::lower_bound(pairs.begin(), pairs.end(), CPinMapPair{name, {}}, PairLess);
    return at != pairs.end() && at->name == name ? &*at : nullptr;
}

bool CPinMap::Parse(std::string_view text) {
    m_lines.clear();
    m_kept.clear();
    m_text.assign(text);
    std::string_view rest = m_text;
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        const std::string_view row = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (Trimmed(row).empty())
            continue;
        CPinMapLine line;
        if (!ParseLine(row, line)) {
            m_lines.clear();
            return false;
        }
        m_lines.push_back(std::move(line));
    }
    return true;
}

bool CPinMap::ParseLine(std::string_view text, CPinMapLine& line) {
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        const size_t end = text.find(kPinMapFieldSep, start);
        fields.push_back(Trimmed(text.substr(start, end - start)));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    if (fields.size() < 2 || fields.size() % 2 != 0)
        return false;
    line.symbol = fields[0];
    line.gate = fields[1];
    for (size_t i = 2; i < fields.size(); i += 2) {
        if (!fields[i].empty() || !fields[i + 1].empty())
            line.pairs.push_back({fields[i], fields[i + 1]});
    }
    return true;
}

void CPinMap::Sort() {
    for (CPinMapLine& line : m_lines)
        std::stable_sort(line.pairs.begin(), line.pairs.end(), PairLess);
    std::stable_sort(m_lines.begin(), m_lines.end(), LineLess);
}

bool SamePinMaps(std::string_view a, std::string_view b) {
    CPinMap first;
    CPinMap second;
    if (!first.Parse(a) || !second.Parse(b))
        return false;
    first.Sort();
    second.Sort();
    return first.Format() == second.Format();
}

std::string CPinMap::Format() const {
    std::string text;
    for (const CPinMapLine& line : m_lines) {
        if (&line != &m_lines.front())
            text += '\n';
        text.append(line.symbol).append(1, kPinMapFieldSep).append(line.gate);
        for (const CPinMapPair& pair : line.pairs) {
            text.append(1, kPinMapFieldSep).append(pair.name);
            text.append(1, kPinMapFieldSep).append(pair.number);
        }
    }
    return text;
}

CPinMapLine* CPinMap::FindLine(std::string_view symbol, std::string_view gate) {
    const CPinMapLine key{symbol, gate, {}};
    auto at = std::lower_bound(m_lines.begin(), m_lines.end(), key, LineLess);
    return at != m_lines.end() && at->symbol == symbol && at->gate == gate ? &*at : nullptr;
}

std::string_view CPinMap::Keep(std::string_view text) {
    return m_kept.emplace_back(text);
}

int CPinMap::CheckDuplicates() const {
    for (size_t i = 1; i < m_lines.size(); ++i) {
        if (!LineLess(m_lines[i - 1], m_lines[i]))
            return kMapDuplicateLine;
    }
    for (const CPinMapLine& line : m_lines) {
        for (size_t i = 1; i < line.pairs.size(); ++i) {
            if (line.pairs[i - 1].name == line.pairs[i].name)
                return kMapDuplicatePin;
        }
    }
    return 0;
}
