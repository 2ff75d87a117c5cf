#include "gui/dialogs/objects/DlgSpiceSource.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTableWidget>

#include "gui/support/QtTestApp.h"
#include "support/ScriptedPrompt.h"

namespace {

class DlgSpiceSourceTest : public testing::Test {
protected:
    DlgSpiceSourceTest() {
        QtTestApp::ensure();
        source.SetSourceKind(CSpiceSymbol::kPulse);
    }
    static QString Header(const CDlgSpiceSource& dialog, int column) {
        return dialog.table()->horizontalHeaderItem(column)->text();
    }
    static void Enter(CDlgSpiceSource& dialog, int column, const char* text) {
        dialog.table()->item(0, column)->setText(text);
    }

    CSpiceSymbol source;
};

TEST_F(DlgSpiceSourceTest, TheRowShowsTheParametersOfTheKind) {
    CDlgSpiceSource dialog(source);
    EXPECT_EQ(dialog.kindBox()->currentText(), "PULSE");
    ASSERT_EQ(dialog.table()->columnCount(), 7);
    EXPECT_EQ(Header(dialog, 0), "Initial Value (V or A)");
    EXPECT_EQ(Header(dialog, 6), "Period (s)");
    EXPECT_EQ(dialog.table()->item(0, 0)->text(), "5V");
    EXPECT_EQ(dialog.table()->item(0, 6)->text(), "1");
    dialog.kindBox()->setCurrentIndex(CSpiceSymbol::kPwl);
    EXPECT_EQ(dialog.table()->columnCount(), 32);
    EXPECT_EQ(Header(dialog, 1), "Value (V or A)");
    EXPECT_EQ(dialog.table()->item(0, 0)->text(), "");
}

TEST_F(DlgSpiceSourceTest, AnInvalidValueKeepsTheKindAndTheCursorOnIt) {
    CDlgSpiceSource dialog(source);
    Enter(dialog, 3, "fast");
    dialog.kindBox()->setCurrentIndex(CSpiceSymbol::kSin);
    EXPECT_EQ(dialog.kindBox()->currentIndex(), CSpiceSymbol::kPulse);
    EXPECT_EQ(dialog.table()->currentColumn(), 3);
    {
        testsupport::ScriptedPrompt prompt({IDOK});
        Enter(dialog, 3, "1n");
        Enter(dialog, 0, "");
        dialog.accept();
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(prompt.shown()[0].text, "Pulse value invalid");
    }
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.table()->currentColumn(), 0);
}

TEST_F(DlgSpiceSourceTest, OKGivesTheChosenKindAndTheStoredSets) {
    CDlgSpiceSource dialog(source);
    Enter(dialog, 1, "3.3V");
    dialog.kindBox()->setCurrentIndex(CSpiceSymbol::kExp);  // left empty: not stored
    dialog.kindBox()->setCurrentIndex(CSpiceSymbol::kSin);
    const char* sine[] = {"0", "1", "1k", "0", "0"};
    for (int column = 0; column < 5; ++column)
        Enter(dialog, column, sine[column]);
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    const CSpiceSymbol::SourceState& state = dialog.State();
    EXPECT_EQ(state.kind, static_cast<DWORD>(CSpiceSymbol::kSin));
    EXPECT_EQ(state.sets[CSpiceSymbol::kSin], CString("0\x01"
                                                      "1\x01"
                                                      "1k\x01"
                                                      "0\x01"
                                                      "0"));
    EXPECT_EQ(state.sets[CSpiceSymbol::kPulse], CString("5V\x01"
                                                        "3.3V\x01"
                                                        "0\x01"
                                                        "0\x01"
                                                        "0\x01"
                                                        "0\x01"
                                                        "1"));
    EXPECT_FALSE(state.sets[CSpiceSymbol::kExp].has_value());
    // The source itself is untouched until the edit is applied.
    EXPECT_EQ(source.GetSourceKind(), static_cast<DWORD>(CSpiceSymbol::kPulse));
}

}  // namespace
