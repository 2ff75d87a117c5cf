#include "shell/ToolMenuEntries.h"

#include <gtest/gtest.h>

#include "platform/SettingsStore.h"
#include "resources/CommandIds.h"
#include "support/TestSupport.h"

namespace {

class ToolMenuEntriesTest : public ::testing::Test {
protected:
    testsupport::TempDir m_dir;
    SettingsStore m_settings{m_dir / "settings.reg"};
};

}  // namespace

TEST_F(ToolMenuEntriesTest, FewerThanThreeUserToolsShowNone) {
    for (int stored : {0, 1, 2, -4}) {
        m_settings.WriteProfileInt("Tools", "UserTools", stored);
        auto entries = UserToolMenuEntries(m_settings);
        ASSERT_EQ(entries.size(), 1u) << stored;
        EXPECT_EQ(entries[0].id, ID_TOOL_FIRST);
        EXPECT_EQ(entries[0].text, "none\t ");
    }
    // Nothing stored at all.
    SettingsStore empty(m_dir / "empty.reg");
    EXPECT_EQ(UserToolMenuEntries(empty)[0].text, "none\t ");
}

TEST_F(ToolMenuEntriesTest, UserToolsAreToolsThreeToSeven) {
    m_settings.WriteProfileInt("Tools", "UserTools", 9);
    const char* names[] = {"A", "B", "C", "D", "E"};
    for (int k = 0; k < 5; ++k)
        m_settings.WriteProfileString("Tools", ("Tool" + std::to_string(k + 3) + ".Name").c_str(),
                                      names[k]);
    m_settings.WriteProfileString("Tools", "Tool1.Name", "PCB");
    auto entries = UserToolMenuEntries(m_settings);
    ASSERT_EQ(entries.size(), 5u);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(entries[k].id, ID_TOOL_FIRST + k);
        EXPECT_EQ(entries[k].text, std::string(names[k]) + "\t ");
    }
    m_settings.WriteProfileInt("Tools", "UserTools", 4);
    entries = UserToolMenuEntries(m_settings);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].text, "B\t ");
}

TEST_F(ToolMenuEntriesTest, SimulatorsAreToolsOneToFiveWithTheirOwnIds) {
    m_settings.WriteProfileInt("Simulator", "UserTools", 12);
    for (int k = 1; k <= 6; ++k)
        m_settings.WriteProfileString("Simulator", ("Tool" + std::to_string(k) + ".Name").c_str(),
                                      ("sim" + std::to_string(k)).c_str());
    auto entries = SimulatorMenuEntries(m_settings);
    ASSERT_EQ(entries.size(), 5u);
    const UINT ids[] = {33023, 33031, 33032, 33033, 33034};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(entries[k].id, ids[k]);
        EXPECT_EQ(entries[k].text, "sim" + std::to_string(k + 1) + "\t ");
    }
    m_settings.WriteProfileInt("Simulator", "UserTools", 0);
    entries = SimulatorMenuEntries(m_settings);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text, "none\t ");
}
