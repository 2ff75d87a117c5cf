#include <gtest/gtest.h>

#include "netlist/tools/ToolArguments.h"
#include "netlist/tools/ToolEntry.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

using Args = std::vector<std::string>;

TEST(ToolArgumentsTest, BlanksSeparateAndQuotesGroup) {
    EXPECT_EQ(SplitArguments(""), Args{});
    EXPECT_EQ(SplitArguments("  -b\t deck.ckt  "), (Args{"-b", "deck.ckt"}));
    EXPECT_EQ(SplitArguments("\"my file.ckt\" x\"y z\"w"), (Args{"my file.ckt", "xy zw"}));
    // Shell characters are plain text; three quotes make one literal quote.
    EXPECT_EQ(SplitArguments("a;b $(FileDir)|c `d`"), (Args{"a;b", "$(FileDir)|c", "`d`"}));
    EXPECT_EQ(SplitArguments("\"\"\"q\"\"\" \"\""), (Args{"\"q\""}));
    // An unclosed quote runs to the end.
    EXPECT_EQ(SplitArguments("a \"b c"), (Args{"a", "b c"}));
}

class ToolEntryTest : public testing::Test {
protected:
    testsupport::TempDir dir;
    SettingsStore settings{dir / "settings.reg"};
};

TEST_F(ToolEntryTest, NothingStoredGivesTheFixedToolsOrNone) {
    const auto tools = LoadToolList(settings, "Tools", true);
    ASSERT_EQ(tools.size(), 2u);
    EXPECT_EQ(tools[0].name, "PCB Editor");
    EXPECT_EQ(tools[1].name, "PLD Compiler");
    EXPECT_EQ(tools[1].index, 1);
    EXPECT_TRUE(LoadToolList(settings, "Simulator", false).empty());
}

TEST_F(ToolEntryTest, ToolsRoundTripAndRemovedNumbersStayStored) {
    std::vector<CToolEntry> tools = LoadToolList(settings, "Tools", true);
    tools[0].name = "Renamed";
    for (int k = 0; k < 3; ++k) {
        CToolEntry tool;
        tool.flags = 5;
        tool.reportType = k;
        tool.name = ("Tool " + std::to_string(k)).c_str();
        tool.reportFile = "$(FileDir)\\out.net";
        tool.command = "/usr/bin/x";
        tool.args = "-a \"b c\"";
        tool.directory = "/tmp";
        tools.push_back(tool);
    }
    SaveToolList(settings, "Tools", tools);
    EXPECT_EQ(settings.GetProfileInt("Tools", "Tool4.ReportType", 0), 1u);
    EXPECT_EQ(settings.GetProfileString("Tools", "Tool5.Args"), "-a \"b c\"");

    tools.resize(3);
    SaveToolList(settings, "Tools", tools);
    EXPECT_EQ(settings.GetProfileInt("Tools", "UserTools", 0), 3u);
    EXPECT_EQ(settings.GetProfileString("Tools", "Tool5.Name"), "Tool 2");

    const auto loaded = LoadToolList(settings, "Tools", true);
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_EQ(loaded[0].name, "PCB Editor");  // the fixed names win
    EXPECT_EQ(loaded[2].name, "Tool 0");
    EXPECT_EQ(loaded[2].flags, 5u);
    EXPECT_EQ(loaded[2].reportFile, "$(FileDir)\\out.net");
    EXPECT_EQ(loaded[2].directory, "/tmp");
}

TEST_F(ToolEntryTest, AStoredCountPastSevenReadsSeven) {
    settings.WriteProfileInt("Simulator", "UserTools", 1000);
    EXPECT_EQ(LoadToolList(settings, "Simulator", false).size(), 7u);
    settings.WriteProfileInt("Simulator", "UserTools", -4);
    EXPECT_TRUE(LoadToolList(settings, "Simulator", false).empty());
}

}  // namespace
