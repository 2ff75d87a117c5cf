#include "gui/drc/DrcSetupSheet.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "gui/drc/DlgDRC.h"
#include "gui/drc/DlgDRCSetup.h"
#include "gui/drc/DrcMatrixWnd.h"
#include "gui/support/QtTestApp.h"
#include "platform/SettingsStore.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

struct WithApp {
    WithApp() { QtTestApp::ensure(); }
};

class DrcSetupSheetTest : public ::testing::Test, WithApp {
protected:
    DrcSetupSheetTest() { rules.SetDefaults(); }

    // Runs the sheet, lets edit work on it and closes it with OK or Cancel.
    bool Run(bool ok, const std::function<void(CDrcSetupSheet&)>& edit) {
        QTimer::singleShot(0, [ok, &edit] {
            auto* sheet = qobject_cast<CDrcSetupSheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            edit(*sheet);
            ok ? sheet->accept() : sheet->reject();
        });
        return EditDrcRules(rules, store, nullptr);
    }

    testsupport::TempDir dir;
    SettingsStore store{dir / "settings.reg"};
    CDrcRules rules;
};

// Cells of the matrix are clicked at their centres in the grid's coordinates.
QPoint CellCentre(const CDrcMatrixWnd& matrix, int row, int column) {
    const DrcMatrixLayout& layout = matrix.Layout();
    return {layout.CellLeft(column) + layout.cell / 2, layout.CellTop(row) + layout.cell / 2};
}

TEST(DrcMatrixLayoutTest, TheTriangleStandsAtItsOriginWithLabelsBesideAndBelow) {
    const DrcMatrixLayout layout{19, 13};
    EXPECT_EQ(layout.ExtentWidth(), 19 * 13 + 125);
    EXPECT_EQ(layout.ExtentHeight(), 18 * 13 + 120);
    using Part = DrcMatrixLayout::Part;
    const auto hit = layout.HitTest(120 + 2 * 13 + 1, 5 + 4 * 13 + 1);  // row 5, column 2
    EXPECT_EQ(hit.part, Part::kCell);
    EXPECT_EQ(hit.row, 5);
    EXPECT_EQ(hit.column, 2);
    EXPECT_EQ(layout.HitTest(120 + 6 * 13 + 1, 5 + 4 * 13 + 1).part, Part::kNothing);  // above
    const auto rowLabel = layout.HitTest(10, 5 + 17 * 13 + 1);
    EXPECT_EQ(rowLabel.part, Part::kRowLabel);
    EXPECT_EQ(rowLabel.row, 18);
    const auto columnLabel = layout.HitTest(120 + 1, 5 + 18 * 13 + 40);
    EXPECT_EQ(columnLabel.part, Part::kColumnLabel);
    EXPECT_EQ(columnLabel.row, 0);
    EXPECT_EQ(layout.HitTest(60, 2).part, Part::kNothing);
    EXPECT_EQ(NextDrcLevel(0), 1);
    EXPECT_EQ(NextDrcLevel(2), 0);
    EXPECT_EQ(NextDrcLevel(3), 0);
}

// The labels beside and below the grid show the standard type names whole ("Output", "Open
// Emitter"); only a name too long for any room is cut, and the grid moves right of the labels.
TEST_F(DrcSetupSheetTest, TypeLabelsShowTheNamesWhole) {
    ASSERT_TRUE(rules.AddType(std::string(80, 'W').c_str()));
    CDrcSetupSheet sheet(rules, store);
    const CDrcMatrixWnd& matrix = *sheet.OptionsPage()->Matrix();
    for (int type = 0; type + 1 < rules.GetTypeCount(); ++type)
        EXPECT_EQ(matrix.LabelText(type).toStdString(), rules.GetTypeName(type).str());
    const QString cut = matrix.LabelText(rules.GetTypeCount() - 1);
    EXPECT_TRUE(cut.endsWith(QChar(0x2026))) << cut.toStdString();
    EXPECT_GE(matrix.Layout().CellLeft(0), 120);
}

TEST_F(DrcSetupSheetTest, CellsCycleThroughTheLevels) {
    CDrcSetupSheet sheet(rules, store);
    CDrcMatrixWnd& matrix = *sheet.OptionsPage()->Matrix();
    for (int click = 0; click < 3; ++click)
        matrix.ClickAt(CellCentre(matrix, 2, 1));
    matrix.ClickAt(CellCentre(matrix, 1, 0));    // Input / Not Connected: 1 -> 2
    matrix.ClickAt(CellCentre(matrix, 18, 18));  // 0 -> 1
    EXPECT_EQ(rules.GetLevel(2, 1), 0);          // the sheet edits a copy
    EXPECT_EQ(rules.GetLevel(1, 0), 1);
    sheet.ApplyTo(rules, store);
    EXPECT_EQ(rules.GetLevel(2, 1), 0);
    EXPECT_EQ(rules.GetLevel(1, 0), 2);
    EXPECT_EQ(rules.GetLevel(18, 18), 1);
}

TEST_F(DrcSetupSheetTest, ALevelThreeCellGoesToNoErrorAtOnce) {
    rules.SetLevel(5, 5, 3);
    CDrcSetupSheet sheet(rules, store);
    CDrcMatrixWnd& matrix = *sheet.OptionsPage()->Matrix();
    matrix.ClickAt(CellCentre(matrix, 5, 5));
    sheet.ApplyTo(rules, store);
    EXPECT_EQ(rules.GetLevel(5, 5), 0);
}

TEST_F(DrcSetupSheetTest, OnlyTheUsersTypesCanBeRemovedAndOnlyOnce) {
    ASSERT_TRUE(rules.AddType("Clock"));
    ASSERT_TRUE(rules.AddType("Data"));
    CDrcSetupSheet sheet(rules, store);
    CDlgDRC& page = *sheet.OptionsPage();
    CDrcMatrixWnd& matrix = *page.Matrix();
    const DrcMatrixLayout& layout = matrix.Layout();
    EXPECT_FALSE(page.RemoveButton()->isEnabled());
    matrix.ClickAt({10, layout.CellTop(19) + 1});  // the row label of Clock
    EXPECT_EQ(matrix.Selection(), 19);
    EXPECT_TRUE(page.RemoveButton()->isEnabled());
    matrix.ClickAt({layout.CellLeft(5) + 1, layout.GridBottom() + 20});  // Passive's column
    EXPECT_EQ(matrix.Selection(), 5);
    EXPECT_FALSE(page.RemoveButton()->isEnabled());
    matrix.ClickAt({10, layout.CellTop(19) + 1});
    page.RemoveButton()->click();
    EXPECT_EQ(matrix.Selection(), -1);
    EXPECT_FALSE(page.RemoveButton()->isEnabled());
    page.RemoveSelectedType();  // nothing selected: nothing goes
    sheet.ApplyTo(rules, store);
    EXPECT_EQ(rules.GetTypeCount(), 20);
    EXPECT_EQ(rules.GetTypeName(19), "Data");
}

TEST_F(DrcSetupSheetTest, NewTypeNamesMustBeNewAndNotEmpty) {
    CDrcSetupSheet sheet(rules, store);
    CDlgDRC& page = *sheet.OptionsPage();
    testsupport::ScriptedPrompt prompt({IDOK, IDOK, IDOK});
    EXPECT_FALSE(page.AddType("input"));
    EXPECT_FALSE(page.AddType(""));
    EXPECT_FALSE(page.AddType("Two\nLines"));
    ASSERT_EQ(prompt.shown().size(), 3u);
    EXPECT_EQ(prompt.shown()[0].text, "Pin type name already exists!");
    EXPECT_EQ(prompt.shown()[1].text, "Pin type name is empty!");
    EXPECT_TRUE(page.AddType("Clock"));
    EXPECT_EQ(page.Matrix()->Layout().types, 20);
    sheet.ApplyTo(rules, store);
    EXPECT_EQ(rules.FindType("CLOCK"), 19);
}

TEST_F(DrcSetupSheetTest, OkStoresTheFlagsOfTheBoxesAndCancelChangesNothing) {
    EXPECT_TRUE(Run(true, [](CDrcSetupSheet& sheet) { sheet.SetCurrentPage(1); }));
    EXPECT_EQ(rules.GetCheckFlags(), 0xBEu);
    EXPECT_EQ(store.GetProfileInt("DRC", "CheckFlags", 0), 0xBEu);
    EXPECT_TRUE(Run(true, [](CDrcSetupSheet& sheet) {
        sheet.SetCurrentPage(1);
        sheet.SetupPage()->Box(kDrcCheckEmptyNet)->setChecked(false);
    }));
    EXPECT_EQ(rules.GetCheckFlags(), 0xB6u);
    CDrcRules restored;
    LoadDrcRules(restored, store);
    EXPECT_EQ(restored.GetCheckFlags(), 0xB6u);

    const CDrcRules before = rules;
    EXPECT_FALSE(Run(false, [](CDrcSetupSheet& sheet) {
        CDrcMatrixWnd& matrix = *sheet.OptionsPage()->Matrix();
        matrix.ClickAt(CellCentre(matrix, 2, 2));
        sheet.OptionsPage()->AddType("Clock");
        sheet.SetCurrentPage(1);
        sheet.SetupPage()->Box(kDrcCheckPinConnection)->setChecked(false);
    }));
    EXPECT_EQ(rules, before);
}

TEST_F(DrcSetupSheetTest, SavedRulesComeBackAtTheNextStart) {
    EXPECT_FALSE(Run(false, [](CDrcSetupSheet& sheet) {
        CDlgDRC& page = *sheet.OptionsPage();
        page.AddType("Clock");
        CDrcMatrixWnd& matrix = *page.Matrix();
        matrix.ClickAt(CellCentre(matrix, 19, 2));  // Clock / Output: 1 -> 2
        page.SaveButton()->click();
    }));
    EXPECT_EQ(rules.GetTypeCount(), 19);  // cancelled: the running rules stay
    CDrcRules restored;
    LoadDrcRules(restored, store);
    EXPECT_EQ(restored.GetTypeCount(), 20);
    EXPECT_EQ(restored.GetLevel(2, 19), 2);
    EXPECT_EQ(restored.GetLevel(19, 19), 1);
    // Restore Defaults puts the built-in set back in the copy.
    EXPECT_TRUE(
        Run(true, [](CDrcSetupSheet& sheet) { sheet.OptionsPage()->DefaultsButton()->click(); }));
    CDrcRules defaults;
    defaults.SetDefaults();
    defaults.SetCheckFlags(0xBE);  // the set-up page, shown first, gives its boxes' bits
    EXPECT_EQ(rules, defaults);
}

}  // namespace
