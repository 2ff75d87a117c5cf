#pragma once
// The parsed pin map of a device. The text is lines separated by line feeds; the fields of a
// line are separated by the byte 0x01: symbol name, gate suffix, then pairs of pin name and
// pin number. Every field is trimmed of white space at both ends. The map keeps one copy of
// the text and views into it; texts put in later are kept beside it.

#include <deque>
#include <string>
#include <string_view>
#include <vector>

// Separator of the fields of a line.
constexpr char kPinMapFieldSep = '\x01';

// Codes of the map checks; a symbol reports them as its own attribute check codes.
constexpr int kMapDuplicateLine = 6;  // two lines for one symbol and gate
constexpr int kMapDuplicatePin = 7;   // one pin name twice in a line
constexpr int kMapNotFound = 8;       // no such line or pin
constexpr int kMapUnparsable = 9;     // a malformed line

struct CPinMapPair {
    std::string_view name;
    std::string_view number;
};

struct CPinMapLine {
    std::string_view symbol;
    std::string_view gate;
    std::vector<CPinMapPair> pairs;

    // The pair of that pin name, by binary search over sorted pairs; null when missing.
    CPinMapPair* FindPin(std::string_view name);
};

// Whether two map texts parse to the same map, whatever the order of their lines and pairs and
// the white space around their fields.
bool SamePinMaps(std::string_view a, std::string_view b);

class CPinMap {
public:
    CPinMap() = default;
    CPinMap(const CPinMap&) = delete;
    CPinMap& operator=(const CPinMap&) = delete;

    // Reads the text, replacing what was parsed before. False when a line has an odd number
    // of fields or fewer than two; blank lines are passed over and pairs whose name and
    // number are both empty dropped. On false the map is empty.
    bool Parse(std::string_view text);
    // Lines by gate suffix, then symbol name; pairs by pin name; bytes compared unsigned and
    // equal elements kept in order.
    void Sort();
    // The canonical text: fields joined by 0x01, lines by line feeds, no line feed at the end.
    std::string Format() const;

    // The line of that symbol and gate, by binary search over a sorted map; null when missing.
    CPinMapLine* FindLine(std::string_view symbol, std::string_view gate);
    // Keeps a text for the map's life and gives a view of it.
    std::string_view Keep(std::string_view text);

    // kMapDuplicateLine, kMapDuplicatePin or 0 for a sorted map.
    int CheckDuplicates() const;

    std::vector<CPinMapLine>& Lines() { return m_lines; }
    const std::vector<CPinMapLine>& Lines() const { return m_lines; }

private:
    static bool ParseLine(std::string_view text, CPinMapLine& line);

    std::string m_text;
    std::deque<std::string> m_kept;
    std::vector<CPinMapLine> m_lines;
};
