#include "platform/SettingsFormat.h"

#include <gtest/gtest.h>

namespace {

std::string Invalid(const char* bytes) {
    return std::string(bytes);
}

}  // namespace

TEST(SettingsFormat, AnyBytesRoundTripAndTheTextStaysOneLinePerValue) {
    const std::vector<std::string> awkward = {
        "",
        "plain text",
        "line one\nline two\r\nend",
        "quote \" and backslash \\ and \\x41 literally",
        std::string("nul\0inside", 10),
        "tab\there, del\x7f, bell\x07",
        "\xce\xa9 \xe2\x82\xac \xf0\x9f\x98\x80",                        // valid UTF-8 stays as is
        Invalid("\xff\xfe lone \x80, cut \xe2\x82, overlong \xc0\xaf"),  // invalid bytes escape
        Invalid("surrogate \xed\xa0\x80, beyond \xf4\x90\x80\x80"),
        "[not a section]",
        "ends with backslash \\",
    };
    SettingsSections sections;
    for (const std::string& name : awkward) {
        SettingsSection section{name + "]", {}};
        for (std::size_t i = 0; i < awkward.size(); ++i)
            section.values.push_back({awkward[i] + std::to_string(i), awkward[i]});
        section.values.push_back({"number", DWORD{0xAFFFFFFF}});
        section.values.push_back({"bytes", std::vector<BYTE>{0, 1, 0x7f, 0x80, 0xff}});
        section.values.push_back({"nothing", std::vector<BYTE>{}});
        sections.push_back(section);
    }

    std::string text = FormatSettings(sections);
    EXPECT_TRUE(ParseSettings(text) == sections);

    std::size_t lines = std::count(text.begin(), text.end(), '\n');
    std::size_t header = 4;
    EXPECT_EQ(lines, header + awkward.size() * (2 + awkward.size() + 3));
    EXPECT_NE(text.find("\xce\xa9 \xe2\x82\xac"), std::string::npos);
    EXPECT_NE(text.find("\\xff\\xfe lone \\x80, cut \\xe2\\x82"), std::string::npos);
    EXPECT_NE(text.find("nul\\x00inside"), std::string::npos);
    EXPECT_NE(text.find("tab\\there, del\\x7f, bell\\x07"), std::string::npos);
    EXPECT_NE(text.find("\"number\"=dword:afffffff\n"), std::string::npos);
    EXPECT_NE(text.find("\"bytes\"=hex:00,01,7f,80,ff\n"), std::string::npos);
    EXPECT_NE(text.find("\"nothing\"=hex:\n"), std::string::npos);
}

TEST(SettingsFormat, ReadsHandEditedText) {
    SettingsSections sections = ParseSettings(
        "; comment\r\n"
        "\r\n"
        "  [Settings]  \r\n"
        "\"Options\"=dword:1F\r\n"
        "\t\"Name\"=\"old\"\r\n"
        "[Grid]\n"
        "\"Data\"=hex:0A,bc\n"
        "[SETTINGS]\n"
        "\"NAME\"=\"new\"\n"
        "\"Last\"=dword:0");
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[0].name, "Settings");
    ASSERT_EQ(sections[0].values.size(), 3u);
    EXPECT_EQ(sections[0].values[0].data, SettingsData(DWORD{0x1F}));
    EXPECT_EQ(sections[0].values[1].name, "Name");
    EXPECT_EQ(sections[0].values[1].data, SettingsData(std::string("new")));
    EXPECT_EQ(sections[0].values[2].data, SettingsData(DWORD{0}));
    EXPECT_EQ(sections[1].values[0].data, SettingsData(std::vector<BYTE>{0x0A, 0xBC}));
    EXPECT_TRUE(ParseSettings("").empty());
}

TEST(SettingsFormat, ReportsTheFirstBadLine) {
    try {
        ParseSettings("; header\n\n\"a\"=\"b\"\n[S]\n");
        ADD_FAILURE() << "accepted a value outside a section";
    } catch (const SettingsSyntaxError& error) {
        EXPECT_EQ(error.line(), 3u);
        EXPECT_NE(std::string(error.what()).find("before the first [section]"), std::string::npos);
    }
    const std::pair<const char*, const char*> cases[] = {
        {"[S", "missing closing bracket"},
        {"junk", "expected a [section]"},
        {"\"a\"=\"b", "missing closing quote"},
        {"\"a\"=\"b\" x", "unexpected text"},
        {"\"a\"=\"\\q\"", "unknown escape \\q"},
        {"\"a\"=\"\\x4\"", "\\x needs two hex digits"},
        {"\"a\"=\"b\\", "backslash ends the line"},
        {"\"a\" = \"b\"", "expected '='"},
        {"\"a\"=text", "expected \"text\", dword: or hex:"},
        {"\"a\"=dword:", "1 to 8 hex digits"},
        {"\"a\"=dword:123456789", "1 to 8 hex digits"},
        {"\"a\"=hex:1", "two hex digits"},
        {"\"a\"=hex:01,,02", "two hex digits"},
        {"\"a\"=hex:0102", "a comma between hex bytes"},
    };
    for (const auto& [line, problem] : cases) {
        std::string text = std::string("; header\n[S]\n\"ok\"=dword:1\n") + line + "\n[T]\n";
        try {
            ParseSettings(text);
            ADD_FAILURE() << "accepted: " << line;
        } catch (const SettingsSyntaxError& error) {
            EXPECT_EQ(error.line(), 4u) << line;
            EXPECT_NE(std::string(error.what()).find(problem), std::string::npos)
                << line << " -> " << error.what();
        }
    }
}
