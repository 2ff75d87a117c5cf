#include "shell/view/SnapGridSettings.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

#include "gui/support/QtTestApp.h"
#include "shell/view/SnapGridDlg.h"
#include "shell/view/ViewSnapGrid.h"

namespace {

std::vector<std::string> Labels(bool metric) {
    std::vector<std::string> labels;
    for (const SpacingPreset& preset : SpacingPresets(metric))
        labels.push_back(preset.label.str());
    return labels;
}

}  // namespace

TEST(SnapGridSettings, OkKeepsTheOptionBitsTheSheetDoesNotShow) {
    struct Case {
        DWORD before;
        void (*change)(SnapGridSettings&);
        DWORD after;
    };
    const Case cases[] = {
        // Unchanged: fill shapes (bit 14) and the other unshown kinds still snap.
        {0xAFFFFFFF, [](SnapGridSettings&) {}, 0xAFFFFFFF},
        {0xAFFFFFFF, [](SnapGridSettings& s) { s.objectBits &= ~DWORD(0x2); }, 0xAFFFFFFD},
        {0x20000000,
         [](SnapGridSettings& s) {
             s.dynamicResizing = true;
             for (const SnapObjectBox& box : kSnapObjectBoxes)
                 s.objectBits |= box.bit;
         },
         0xA0003FFE},
        {0xAFFFFFFF, [](SnapGridSettings& s) { s.snapToObjects = false; }, 0xA0000000},
        {0x20000000, [](SnapGridSettings& s) { s.snapToObjects = true; }, 0x2FFFFFFF},
        {0xAFFFFFFF, [](SnapGridSettings& s) { s.snapToGuides = true; }, 0xEFFFFFFF},
    };
    for (const Case& c : cases) {
        CSnapGrid grid;
        SnapGridSettings settings = SnapGridSettings::From(grid, c.before);
        c.change(settings);
        EXPECT_EQ(settings.ApplyTo(grid, c.before), c.after) << std::hex << c.before;
    }
}

TEST(SnapGridSettings, SpacingsAboveZeroOnlyAndTheGridTakesThem) {
    CSnapGrid grid;
    SnapGridSettings settings = SnapGridSettings::From(grid, 0xAFFFFFFF);
    for (float bad : {0.0f, -0.1f}) {
        settings.spaceX = bad;
        EXPECT_FALSE(settings.Valid()) << bad;
    }
    settings.spaceX = 0.25f;
    settings.metric = true;
    ASSERT_TRUE(settings.Valid());
    settings.ApplyTo(grid, 0xAFFFFFFF);
    EXPECT_NEAR(grid.m_logicalX, 98.425, 1e-3);
    EXPECT_FLOAT_EQ(grid.m_spaceY, 0.25f);
}

TEST(SnapGridSettings, PresetsReadInTheApplicationsUnits) {
    EXPECT_EQ(Labels(false),
              (std::vector<std::string>{"0.005 inch", "0.01 inch", "0.025 inch", "0.05 inch",
                                        "0.1 inch", "0.2 inch", "0.5 inch"}));
    EXPECT_EQ(Labels(true).front(), "0.025 cm");
    EXPECT_EQ(Labels(true).back(), "1 cm");
}

TEST(SnapGridDlg, APresetSetsBothSpacingsAndTheBoxesGiveTheBits) {
    QtTestApp::ensure();
    CSnapGrid grid = CSnapGrid();
    grid.m_spaceX = grid.m_spaceY = 0.1f;
    CSnapGridDlg dialog(SnapGridSettings::From(grid, 0xAFFFFFFF));
    EXPECT_EQ(dialog.windowTitle(), "Snap Grid Settings");
    EXPECT_EQ(dialog.spacingEdit()->text(), "0.1");
    const QList<QAction*> presets = dialog.presetButton()->menu()->actions();
    ASSERT_EQ(presets.size(), 7);
    presets.last()->trigger();
    EXPECT_TRUE(dialog.spacingEdit()->isModified());
    dialog.objectBox(0)->setChecked(false);
    const SnapGridSettings chosen = dialog.Settings();
    EXPECT_FLOAT_EQ(chosen.spaceX, 0.5f);
    EXPECT_FLOAT_EQ(chosen.spaceY, 0.5f);
    EXPECT_EQ(chosen.objectBits, 0x3FFCu);
}
