#pragma once
// The text form of the settings file, close to a registry export:
//
//   ; comment
//   [Section]
//   "Name"="text"
//   "Name"=dword:afffffff
//   "Name"=hex:01,02,ff
//
// Inside quotes (and inside the brackets of a section name) \\ is a backslash, \" a quote,
// \n \r \t a line feed, carriage return and tab, and \xHH any byte. Writing escapes every
// control byte and every byte that is not part of valid UTF-8, so any bytes round-trip.
// Blank lines, lines starting with ';' and spaces or tabs at either end of a line are ignored.
// A repeated section header continues that section; a repeated value name replaces the value.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/Types.h"

// A value's data: text bytes, a 32-bit number or binary bytes.
using SettingsData = std::variant<std::string, DWORD, std::vector<BYTE>>;

struct SettingsValue {
    std::string name;
    SettingsData data;
    friend bool operator==(const SettingsValue&, const SettingsValue&) = default;
};

struct SettingsSection {
    std::string name;
    std::vector<SettingsValue> values;
    friend bool operator==(const SettingsSection&, const SettingsSection&) = default;
};

using SettingsSections = std::vector<SettingsSection>;

// A line of the file could not be read; what() names the line and the fault.
class SettingsSyntaxError : public std::runtime_error {
public:
    SettingsSyntaxError(std::size_t line, const std::string& problem)
        : std::runtime_error("line " + std::to_string(line) + ": " + problem), m_line(line) {}
    std::size_t line() const { return m_line; }

private:
    std::size_t m_line;
};

// Names compare like registry names: ASCII letters without regard to case, other bytes exactly.
bool SettingsNamesEqual(std::string_view a, std::string_view b);

// The file's text, with a comment header that explains the escapes.
std::string FormatSettings(const SettingsSections& sections);

// Reads the file's text; throws SettingsSyntaxError at the first line it cannot read.
SettingsSections ParseSettings(std::string_view text);
