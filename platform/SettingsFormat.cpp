#include "platform/SettingsFormat.h"

#include <algorithm>
#include <cstdio>

#include "platform/Utf8.h"

namespace {

constexpr char kHeader[] =
    "; Vosk Schematic settings, written by the program.\n"
    "; Text is in double quotes, where \\\\ is a backslash, \\\" a quote, \\n \\r \\t a line "
    "feed,\n"
    "; carriage return and tab, and \\xHH any other byte. dword: is a 32-bit number in hex,\n"
    "; hex: binary data as hex bytes separated by commas.\n";

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = LowerAscii(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

void AppendHexByte(std::string& out, unsigned char b) {
    constexpr char kDigits[] = "0123456789abcdef";
    out += kDigits[b >> 4];
    out += kDigits[b & 0xF];
}

// Appends the escaped form of the bytes at the start of text; returns how many it used.
std::size_t EscapeNext(std::string_view text, std::string& out) {
    char c = text.front();
    auto b = static_cast<unsigned char>(c);
    switch (c) {
        case '\\':
        case '"':
            out += '\\';
            out += c;
            return 1;
        case '\n':
            out += "\\n";
            return 1;
        case '\r':
            out += "\\r";
            return 1;
        case '\t':
            out += "\\t";
            return 1;
        default:
            break;
    }
    if (b >= 0x20 && b < 0x7F) {
        out += c;
        return 1;
    }
    char32_t codePoint = 0;
    const std::size_t length = b >= 0x80 ? Utf8SequenceAt(text, 0, codePoint) : 0;
    if (length > 0) {
        out.append(text.substr(0, length));
        return length;
    }
    out += "\\x";
    AppendHexByte(out, b);
    return 1;
}

std::string Escape(std::string_view text) {
    std::string out;
    while (!text.empty())
        text.remove_prefix(EscapeNext(text, out));
    return out;
}

std::string FormatData(const SettingsData& data) {
    if (const auto* text = std::get_if<std::string>(&data)) {
        std::string out(1, '"');
        out += Escape(*text);
        out += '"';
        return out;
    }
    if (const auto* number = std::get_if<DWORD>(&data)) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "dword:%08x", static_cast<unsigned>(*number));
        return buffer;
    }
    std::string out = "hex:";
    const auto& bytes = std::get<std::vector<BYTE>>(data);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            out += ',';
        AppendHexByte(out, bytes[i]);
    }
    return out;
}

// Reads one line of the file; throws SettingsSyntaxError with the line number.
class LineReader {
public:
    LineReader(std::string_view line, std::size_t number) : m_rest(line), m_number(number) {}

    [[noreturn]] void Fail(const std::string& problem) const {
        throw SettingsSyntaxError(m_number, problem);
    }
    bool AtEnd() const { return m_rest.empty(); }
    bool Take(std::string_view prefix) {
        if (!m_rest.starts_with(prefix))
            return false;
        m_rest.remove_prefix(prefix.size());
        return true;
    }
    void Expect(std::string_view prefix, const char* what) {
        if (!Take(prefix))
            Fail(std::string("expected ") + what);
    }
    void ExpectEnd() {
        if (!AtEnd())
            Fail("unexpected text after the value");
    }

    // Escaped text up to the terminator (not consumed); a raw quote ends it unless inside
    // brackets, where only the terminator does.
    std::string Unescape(char terminator) {
        std::string out;
        for (;;) {
            if (m_rest.empty())
                Fail(terminator == '"' ? "missing closing quote" : "missing closing bracket");
            char c = m_rest.front();
            if (c == terminator && (terminator == '"' || m_rest.size() == 1))
                return out;
            m_rest.remove_prefix(1);
            out += c == '\\' ? EscapedByte() : c;
        }
    }

    std::string Quoted() {
        Expect("\"", "a quoted name");
        std::string text = Unescape('"');
        m_rest.remove_prefix(1);
        return text;
    }

    DWORD Dword() {
        if (m_rest.empty() || m_rest.size() > 8)
            Fail("dword: needs 1 to 8 hex digits");
        DWORD value = 0;
        for (char c : m_rest) {
            int digit = HexDigit(c);
            if (digit < 0)
                Fail("dword: needs 1 to 8 hex digits");
            value = (value << 4) | static_cast<DWORD>(digit);
        }
        m_rest = {};
        return value;
    }

    std::vector<BYTE> HexBytes() {
        std::vector<BYTE> bytes;
        while (!m_rest.empty()) {
            if (!bytes.empty())
                Expect(",", "a comma between hex bytes");
            int high = m_rest.size() >= 2 ? HexDigit(m_rest[0]) : -1;
            int low = m_rest.size() >= 2 ? HexDigit(m_rest[1]) : -1;
            if (high < 0 || low < 0)
                Fail("hex: needs bytes of two hex digits separated by commas");
            bytes.push_back(static_cast<BYTE>(high * 16 + low));
            m_rest.remove_prefix(2);
        }
        return bytes;
    }

private:
    char EscapedByte() {
        if (m_rest.empty())
            Fail("a backslash ends the line");
        char c = m_rest.front();
        m_rest.remove_prefix(1);
        switch (c) {
            case '\\':
            case '"':
                return c;
            case 'n':
                return '\n';
            case 'r':
                return '\r';
            case 't':
                return '\t';
            case 'x': {
                int high = m_rest.size() >= 2 ? HexDigit(m_rest[0]) : -1;
                int low = m_rest.size() >= 2 ? HexDigit(m_rest[1]) : -1;
                if (high < 0 || low < 0)
                    Fail("\\x needs two hex digits");
                m_rest.remove_prefix(2);
                return static_cast<char>(high * 16 + low);
            }
            default:
                Fail(std::string("unknown escape \\") + c);
        }
    }

    std::string_view m_rest;
    std::size_t m_number;
};

SettingsData ParseData(LineReader& reader) {
    if (reader.Take("\"")) {
        std::string text = reader.Unescape('"');
        reader.Take("\"");
        reader.ExpectEnd();
        return text;
    }
    if (reader.Take("dword:"))
        return reader.Dword();
    if (reader.Take("hex:"))
        return reader.HexBytes();
    reader.Fail("expected \"text\", dword: or hex: after '='");
}

std::string_view TrimBlanks(std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
        line.remove_suffix(1);
    return line;
}

template <typename Item>
Item& FindOrAdd(std::vector<Item>& items, std::string name) {
    auto it = std::find_if(items.begin(), items.end(),
                           [&](const Item& item) { return SettingsNamesEqual(item.name, name); });
    if (it != items.end())
        return *it;
    items.push_back(Item{std::move(name), {}});
    return items.back();
}

}  // namespace

bool SettingsNamesEqual(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::string FormatSettings(const SettingsSections& sections) {
    std::string out = kHeader;
    for (const SettingsSection& section : sections) {
        out += "\n[";
        out += Escape(section.name);
        out += "]\n";
        for (const SettingsValue& value : section.values) {
            out += '"';
            out += Escape(value.name);
            out += "\"=";
            out += FormatData(value.data);
            out += '\n';
        }
    }
    return out;
}

SettingsSections ParseSettings(std::string_view text) {
    SettingsSections sections;
    SettingsSection* current = nullptr;
    std::size_t number = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = TrimBlanks(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        LineReader reader(line, ++number);
        if (line.empty() || line.front() == ';')
            continue;
        if (reader.Take("[")) {
            std::string name = reader.Unescape(']');
            current = &FindOrAdd(sections, std::move(name));
        } else if (line.front() == '"') {
            if (!current)
                reader.Fail("a value before the first [section]");
            std::string name = reader.Quoted();
            reader.Expect("=", "'=' after the value name");
            FindOrAdd(current->values, std::move(name)).data = ParseData(reader);
        } else {
            reader.Fail("expected a [section] or a \"name\"=value line");
        }
    }
    return sections;
}
