#include "model/app/SchematicApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "model/doc/DocView.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using testsupport::RecordingAppServices;
using testsupport::TempDir;

class SchematicAppTest : public ::testing::Test {
protected:
    std::filesystem::path SettingsFile() const { return m_dir / "settings.reg"; }

    TempDir m_dir;
    CSchematicApp m_app{SettingsFile()};
    ScopedApp m_installed{m_app};
};

// The defaults a fresh start writes are checked where the application starts and closes;
// here only that the frame's show state is written once it changed, and at once.
TEST_F(SchematicAppTest, ShowStateIsWrittenOnlyOnceChanged) {
    m_app.LoadSettings();
    m_app.FrameSettings.SetShowCommand(3);  // as it was
    m_app.SaveSettings();
    const std::vector<CString> settings = SettingsStore(SettingsFile()).EnumerateValues("Settings");
    EXPECT_EQ(std::count(settings.begin(), settings.end(), CString("ShowCmd")), 0);

    m_app.FrameSettings.SetShowCommand(1);
    EXPECT_EQ(m_app.Settings().GetProfileInt("Settings", "ShowCmd", -1), 1u);
}

TEST_F(SchematicAppTest, LoadSettingsReadsTheStoredValues) {
    SettingsStore& store = m_app.Settings();
    store.WriteProfileInt("Grid", "SnapGridOptions", 0x20000004);
    store.WriteProfileInt("Settings", "Options", 0x22);
    store.WriteProfileInt("Settings", "SelectColourD", 0x40AF00);
    store.WriteProfileInt("Settings", "Key22", 33006);
    store.WriteProfileInt("Settings", "Rulers", 0);
    store.WriteProfileInt("Colours", "Colour15", 0xABCDEF);
    m_app.LoadSettings();

    EXPECT_EQ(m_app.SnapGridOptions, 0x20000004u);
    EXPECT_EQ(m_app.Options, 0x22u);
    EXPECT_EQ(m_app.GetPen(kPenDominantSelection)->lopnColor, 0x40AF00u);
    EXPECT_EQ(m_app.FunctionKeys.CommandForKey(1, false, true), 33006u);
    EXPECT_EQ(m_app.FrameSettings.rulers, FALSE);
    EXPECT_EQ(m_app.GetCustomColours()[15], 0xABCDEFu);
}

// Whatever changes a setting the application keeps (a dialog, a menu toggle, a command), the
// change is in the store at once under the setting's own name, and so in the file once the
// store writes its changes at once; a setting added later is written the same way, with
// nothing to call by hand.
TEST_F(SchematicAppTest, EveryChangedSettingReachesTheFileAtOnce) {
    std::vector<std::function<void()>> writes;
    m_app.Settings().WriteChangesAtOnce(
        [&writes](std::function<void()> write) { writes.push_back(write); });
    auto runWrites = [&writes] {
        for (const auto& write : std::exchange(writes, {}))
            write();
    };
    auto stored = [this](const char* section, const char* entry) {
        return SettingsStore(SettingsFile()).GetProfileInt(section, entry, 0x5A5A5A5A);
    };
    m_app.LoadSettings();
    m_app.SnapGridOptions ^= kSnapToGrid;
    m_app.Options |= kOptionItemFrames;
    m_app.SimulatorMode = 3;
    m_app.HighlightColour = 0x010203;
    m_app.GetCustomColours()[15] = 0xABCDEF;
    runWrites();
    EXPECT_EQ(stored("Grid", "SnapGridOptions"), 0x8FFFFFFFu);
    EXPECT_EQ(stored("Settings", "Options"), kOptionItemFrames);
    EXPECT_EQ(stored("Simulator", "Mode"), 3u);
    EXPECT_EQ(stored("Settings", "HighlightColour"), 0x010203u);
    EXPECT_EQ(stored("Colours", "Colour15"), 0xABCDEFu);

    // Every kept setting, the ones above and any other.
    std::vector<std::string> names;
    for (StoredSetting* setting : m_app.StoredNumbers().Settings()) {
        names.push_back(setting->Section().str() + "/" + setting->Entry().str());
        const DWORD changed = setting->Value() ^ 0x10;
        setting->SetValue(changed);
        runWrites();
        EXPECT_EQ(stored(setting->Section(), setting->Entry()), changed) << names.back();
    }
    for (const char* name : {"Grid/SnapGridOptions", "Settings/Options", "Settings/SelectColour",
                             "Settings/SelectColourD", "Settings/DRCErrorColour",
                             "Settings/HighlightColour", "Simulator/Mode", "Colours/Colour0",
                             "Colours/Colour15", "Settings/Rulers", "Settings/ShowCmd"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    m_app.Settings().WriteChangesAtOnce({});
}

TEST_F(SchematicAppTest, PensMarkSelectionAndHighlightAndAreCopies) {
    m_app.LoadSettings();
    const LOGPEN dominant = *m_app.GetPen(kPenDominantSelection);
    EXPECT_EQ(dominant.lopnStyle, PS_DOT);
    EXPECT_EQ(dominant.lopnColor, 0xFF0000u);
    m_app.SetSystemColours(RGB(1, 2, 3), RGB(4, 5, 6));
    EXPECT_EQ(m_app.GetPen(kPenHighlightText)->lopnColor, RGB(4, 5, 6));
    EXPECT_FALSE(m_app.GetPen(7));
    EXPECT_FALSE(m_app.GetPen(-1));

    const LOGPEN before = *m_app.GetPen(0);
    m_app.SelectColour = 0x00FF00;
    EXPECT_EQ(before.lopnColor, 0u);
    EXPECT_EQ(m_app.GetPen(0)->lopnColor, 0x00FF00u);
}

TEST_F(SchematicAppTest, SetUnitsSwitchesTheMetricBitAndUpdatesEveryView) {
    RecordingAppServices services;
    m_app.Options = 0x81;
    m_app.SetUnits(TRUE);
    EXPECT_EQ(m_app.Options, 0x83u);
    m_app.SetUnits(-1);
    EXPECT_EQ(m_app.Options, 0x81u);
    EXPECT_EQ(services.viewHints(), (std::vector<int>{kHintUnits, kHintUnits}));
}

TEST_F(SchematicAppTest, OpenSchematicsAreRecordedAndReadBackSkippingGaps) {
    m_app.RecordOpenSchematics({"/work/amp.sch", "", "/work/sub/back\\slash.sch"});
    EXPECT_EQ(m_app.GetProfileInt("LastOpen", "Count", 0), 2u);
    EXPECT_EQ(m_app.GetProfileString("LastOpen", "File2"), "/work/sub/back\\slash.sch");
    EXPECT_EQ(m_app.RecordedSchematics(),
              (std::vector<CString>{"/work/amp.sch", "/work/sub/back\\slash.sch"}));

    SettingsStore& store = m_app.Settings();
    store.WriteProfileInt("LastOpen", "Count", 3);
    store.WriteProfileString("LastOpen", "File1", "C:\\work\\a.sch");
    store.DeleteValue("LastOpen", "File2");
    store.WriteProfileString("LastOpen", "File3", "C:\\work\\c.sch");
    EXPECT_EQ(m_app.RecordedSchematics(), (std::vector<CString>{"/work/a.sch", "/work/c.sch"}));
    store.WriteProfileInt("LastOpen", "Count", -1);
    EXPECT_EQ(m_app.RecordedSchematics(), (std::vector<CString>{"/work/a.sch", "/work/c.sch"}));
}

TEST_F(SchematicAppTest, DoublesAreKeptAsFixedPointText) {
    m_app.WriteProfileDouble("Sheet", "Scale", 2.5);
    EXPECT_EQ(m_app.GetProfileString("Sheet", "Scale"), "2.500000");
    EXPECT_EQ(m_app.GetProfileDouble("Sheet", "Scale", 0.0), 2.5);
    m_app.WriteProfileString("Sheet", "Scale", "abc");
    EXPECT_EQ(m_app.GetProfileDouble("Sheet", "Scale", 1.25), 1.25);
}

TEST_F(SchematicAppTest, BinaryValuesAreCopiedOnlyWhenTheyFit) {
    const BYTE data[] = {1, 2, 3, 4};
    m_app.Settings().WriteProfileBinary("Settings", "Border", data, sizeof data);
    BYTE buffer[8] = {};
    EXPECT_EQ(m_app.GetProfileBinary("Settings", "Border", buffer, sizeof buffer), 4u);
    EXPECT_EQ(buffer[3], 4);
    BYTE small[3] = {};
    EXPECT_EQ(m_app.GetProfileBinary("Settings", "Border", small, sizeof small), 0u);
    EXPECT_EQ(small[0], 0);
    m_app.WriteProfileString("Settings", "Text", "abc");
    EXPECT_EQ(m_app.GetProfileBinary("Settings", "Text", buffer, sizeof buffer), 0u);
}

}  // namespace
