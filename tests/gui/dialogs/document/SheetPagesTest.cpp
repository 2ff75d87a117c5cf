// The "Sheet Size" and "Page Margins" pages of the document settings, driven as a user does.

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include "gui/dialogs/document/DlgPageMargins.h"
#include "gui/dialogs/document/DlgSheetSize.h"
#include "gui/support/QtTestApp.h"
#include "support/ScriptedPrompt.h"

namespace {

class SheetPagesTest : public ::testing::Test {
protected:
    SheetPagesTest() { QtTestApp::ensure(); }
};

void Type(QLineEdit* edit, const char* text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void SaveLook(QWidget& page, const char* name) {
    const QString dir = QStringLiteral(VOSK_BINARY_DIR "/artefacts");
    QDir().mkpath(dir);
    EXPECT_TRUE(page.grab().toImage().save(dir + "/" + name));
}

TEST_F(SheetPagesTest, A4ChosenInLandscapeWritesTheRecord) {
    SIZE paper{8500, -11000};
    CDlgSheetSize page(paper, false);
    page.show();
    SaveLook(page, "sheet-size-page.png");
    EXPECT_EQ(page.sizeEdit(SheetSizeForm::kWidth)->text(), "8.5");
    EXPECT_FALSE(page.landscapeButton()->isChecked());
    QTest::mouseClick(page.landscapeButton(), Qt::LeftButton);
    EXPECT_EQ(page.sizeEdit(SheetSizeForm::kWidth)->text(), "11");
    page.paperList()->setCurrentRow(3);
    EXPECT_TRUE(page.mmButton()->isChecked());
    EXPECT_EQ(page.sizeEdit(SheetSizeForm::kWidth)->text(), "297");
    EXPECT_EQ(page.sizeEdit(SheetSizeForm::kHeight)->text(), "210");
    ASSERT_TRUE(page.OnOK());
    EXPECT_EQ(paper.cx, 11693);
    EXPECT_EQ(paper.cy, -8268);
}

// The list highlights the document's paper, in either orientation, or "User Defined".
TEST_F(SheetPagesTest, TheListHighlightsThePaperOfTheSheet) {
    const std::pair<SIZE, int> papers[] = {{{11693, -8268}, 3},  // A4 landscape
                                           {{8268, -11693}, 3},  // A4 portrait
                                           {{8500, -11000}, 10},
                                           {{17000, -11000}, 9},
                                           {{12345, -6789}, 0}};
    for (auto [paper, row] : papers) {
        CDlgSheetSize page(paper, true);
        EXPECT_EQ(page.paperList()->currentRow(), row) << paper.cx << " x " << paper.cy;
    }
}

TEST_F(SheetPagesTest, TypingChoosesUserDefinedAndBoundsFollowTheUnit) {
    SIZE paper{11000, -8500};
    CDlgSheetSize page(paper, false);
    page.show();
    page.paperList()->setCurrentRow(10);
    Type(page.sizeEdit(SheetSizeForm::kWidth), "51");
    EXPECT_EQ(page.paperList()->currentRow(), 0);
    testsupport::ScriptedPrompt prompt({IDOK});
    EXPECT_FALSE(page.OnOK());
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, CString("Please enter a number between 1 and 50."));
    EXPECT_EQ(paper.cx, 11000) << "a refused page writes nothing";

    QTest::mouseClick(page.mmButton(), Qt::LeftButton);
    EXPECT_EQ(page.sizeEdit(SheetSizeForm::kWidth)->text(), "51") << "typed: kept";
    EXPECT_EQ(page.sizeEdit(SheetSizeForm::kHeight)->text(), "215.9");
    Type(page.sizeEdit(SheetSizeForm::kWidth), "400");
    ASSERT_TRUE(page.OnOK());
    EXPECT_EQ(paper.cx, 15748);
    EXPECT_EQ(paper.cy, -8500);
}

TEST_F(SheetPagesTest, TypedMarginOutOfRangeKeepsThePageWithTheFieldSelected) {
    RECT margins{50, 300, 500, 500};
    CDlgPageMargins page(margins);
    page.show();
    SaveLook(page, "page-margins-page.png");
    EXPECT_EQ(page.marginEdit(PageMarginsForm::kLeft)->text(), "0.05");
    EXPECT_EQ(page.marginEdit(PageMarginsForm::kTop)->text(), "0.3");
    QTest::mouseClick(page.cmButton(), Qt::LeftButton);
    EXPECT_EQ(page.marginEdit(PageMarginsForm::kTop)->text(), "0.76");

    Type(page.marginEdit(PageMarginsForm::kBottom), "0.05");
    Type(page.marginEdit(PageMarginsForm::kRight), "2");
    testsupport::ScriptedPrompt prompt({IDOK});
    EXPECT_FALSE(page.OnOK());
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, CString("Margin out of Range"));
    EXPECT_EQ(prompt.shown()[0].type & MB_ICONEXCLAMATION, UINT(MB_ICONEXCLAMATION));
    EXPECT_EQ(page.marginEdit(PageMarginsForm::kBottom)->selectedText(), "0.05");

    Type(page.marginEdit(PageMarginsForm::kBottom), "1");
    ASSERT_TRUE(page.OnOK());
    EXPECT_EQ(margins.left, 50) << "untouched: kept as stored";
    EXPECT_EQ(margins.top, 300);
    EXPECT_EQ(margins.right, 787);
    EXPECT_EQ(margins.bottom, 394);
    EXPECT_STREQ(page.RememberedName(), "Margins");
}

// A margin typed in one unit keeps its length when the unit changes, both ways; the others show
// the document's margins in the unit.
TEST_F(SheetPagesTest, ATypedMarginKeepsItsLengthWhenTheUnitChanges) {
    RECT margins{500, 300, 500, 500};
    CDlgPageMargins page(margins);
    page.show();
    QLineEdit* left = page.marginEdit(PageMarginsForm::kLeft);
    Type(left, "1");
    QTest::mouseClick(page.cmButton(), Qt::LeftButton);
    EXPECT_EQ(left->text(), "2.54");
    EXPECT_EQ(page.marginEdit(PageMarginsForm::kTop)->text(), "0.76");
    ASSERT_TRUE(page.OnOK());
    EXPECT_EQ(margins.left, 1000);
    EXPECT_EQ(margins.top, 300) << "untouched: kept as stored";

    Type(left, "5.08");
    QTest::mouseClick(page.inchesButton(), Qt::LeftButton);
    EXPECT_EQ(left->text(), "2");
    ASSERT_TRUE(page.OnOK());
    EXPECT_EQ(margins.left, 2000);
}

}  // namespace
