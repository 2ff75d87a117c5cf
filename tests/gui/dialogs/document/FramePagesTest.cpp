// The "Frame" page with its spacing and size dialogs, and the "Title Block Contents" page,
// driven as a user does.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "gui/dialogs/document/DlgFrame.h"
#include "gui/dialogs/document/DlgFrameGrid.h"
#include "gui/dialogs/document/DlgTitleBlock.h"
#include "gui/dialogs/document/DlgTitleBlockSize.h"
#include "gui/support/QtTestApp.h"
#include "support/ScriptedPrompt.h"

namespace {

class FramePagesTest : public ::testing::Test {
protected:
    FramePagesTest() { QtTestApp::ensure(); }
};

void Type(QLineEdit* edit, const char* text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void SaveLook(QWidget& widget, const char* name) {
    const QString dir = QStringLiteral(VOSK_BINARY_DIR "/artefacts");
    QDir().mkpath(dir);
    EXPECT_TRUE(widget.grab().toImage().save(dir + "/" + name));
}

// Runs action on the modal dialog that opens next.
template <class Dialog>
void OnNextDialog(std::function<void(Dialog&)> action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        action(*dialog);
    });
}

TEST_F(FramePagesTest, FramePageEditsACopyOfTheBorder) {
    CSheetBorder border;
    border.m_flags = 0x7F | CSheetBorder::kFrameLines;
    std::vector<COLORREF> asked;
    CDlgFrame page(border, SIZE{11693, -8268}, false, [&asked](COLORREF colour) {
        asked.push_back(colour);
        return std::optional<COLORREF>(0x123456);
    });
    page.resize(500, 320);
    page.show();
    SaveLook(page, "frame-page.png");
    EXPECT_EQ(page.itemList()->currentText(), "Grid Spacing");
    EXPECT_EQ(page.itemButton()->text(), "Spacing..");

    page.frameBox()->click();
    EXPECT_FALSE(page.sideBox(0)->isEnabled());
    EXPECT_EQ(page.Copy().m_flags, 0x70u);
    EXPECT_EQ(border.m_flags, 0xFFu) << "the border waits for OK";

    OnNextDialog<CDlgFrameGrid>([](CDlgFrameGrid& dialog) {
        dialog.cmButton()->click();
        EXPECT_EQ(dialog.spacingEdit()->text(), "2.54");
        Type(dialog.spacingEdit(), "1");
        dialog.accept();
    });
    page.itemButton()->click();
    EXPECT_EQ(page.Copy().m_spacing, 394.0f);

    page.itemList()->setCurrentIndex(int(FrameItem::kFill));
    EXPECT_EQ(page.itemButton()->text(), "Colour..");
    page.itemButton()->click();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], 0xE6FFFFu);

    page.itemList()->setCurrentIndex(int(FrameItem::kTitleBlock));
    OnNextDialog<CDlgTitleBlockSize>([](CDlgTitleBlockSize& dialog) {
        dialog.unitsButton(TitleBlockSizeForm::kPercent)->click();
        EXPECT_EQ(dialog.sizeEdit(TitleBlockSizeForm::kWidth)->text(), "75");
        Type(dialog.sizeEdit(TitleBlockSizeForm::kWidth), "50");
        dialog.alignmentButton(2)->click();
        dialog.accept();
    });
    page.itemButton()->click();

    ASSERT_TRUE(page.OnOK());
    EXPECT_EQ(border.m_flags, 0x270u);
    EXPECT_EQ(border.m_blockX, 4000);
    EXPECT_EQ(border.m_blockY, 1000) << "untouched";
    EXPECT_EQ(border.m_fill.lbColor, 0x123456u);
    EXPECT_EQ(border.m_spacing, 394.0f);
}

// A size typed in one unit keeps its length when the unit changes; the other size shows the
// block's in the unit.
TEST_F(FramePagesTest, ATypedTitleBlockSizeKeepsItsLengthWhenTheUnitChanges) {
    TitleBlockSizeForm form;
    form.size[TitleBlockSizeForm::kWidth] = 6000;
    form.size[TitleBlockSizeForm::kHeight] = 1000;
    CDlgTitleBlockSize dialog(form, false);
    dialog.show();
    QLineEdit* width = dialog.sizeEdit(TitleBlockSizeForm::kWidth);
    Type(width, "1");
    QTest::mouseClick(dialog.unitsButton(TitleBlockSizeForm::kCm), Qt::LeftButton);
    EXPECT_EQ(width->text(), "2.54");
    EXPECT_EQ(dialog.sizeEdit(TitleBlockSizeForm::kHeight)->text(), "2.54");
    QTest::mouseClick(dialog.unitsButton(TitleBlockSizeForm::kPercent), Qt::LeftButton);
    EXPECT_EQ(width->text(), "12.5") << "of the 8 inches of a whole width";
    dialog.accept();
    EXPECT_EQ(dialog.Form().size[TitleBlockSizeForm::kWidth], 1000);
    EXPECT_EQ(dialog.Form().size[TitleBlockSizeForm::kHeight], 1000) << "untouched";
}

TEST_F(FramePagesTest, GridSpacingBelowHalfAnInchIsRefused) {
    CDlgFrameGrid dialog(1000, false);
    Type(dialog.spacingEdit(), "0.4");
    testsupport::ScriptedPrompt prompt({IDOK});
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << "still open";
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, CString("Please enter a number between 0.5 and 10."));
}

// A spacing stored in centimetres can lie outside the range in inches (1 cm shows as 0.394
// inches): an OK without an edit takes it as it was, while a typed value is checked.
TEST_F(FramePagesTest, GridSpacingUntouchedIsAlwaysAccepted) {
    testsupport::ScriptedPrompt prompt({IDOK});
    for (const auto& [spacing, switchUnits] : {std::pair{394.0f, false}, {393.7f, true}}) {
        CSheetBorder border;
        border.m_spacing = spacing;
        CDlgFrame page(border, SIZE{11693, -8268}, false,
                       [](COLORREF) { return std::optional<COLORREF>(); });
        page.show();
        ASSERT_EQ(page.itemButton()->text(), "Spacing..");
        bool accepted = false;
        OnNextDialog<CDlgFrameGrid>([&accepted, switchUnits](CDlgFrameGrid& dialog) {
            if (!switchUnits)
                EXPECT_EQ(dialog.spacingEdit()->text().toStdString(), "0.394");
            else
                dialog.cmButton()->click();  // only the shown unit changes
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            accepted = dialog.result() == QDialog::Accepted;
            if (!accepted)
                dialog.reject();
        });
        page.itemButton()->click();
        EXPECT_TRUE(accepted) << spacing;
        EXPECT_EQ(page.Copy().m_spacing, spacing);
    }
    EXPECT_TRUE(prompt.shown().empty());

    CDlgFrameGrid typed(394, false);
    Type(typed.spacingEdit(), "0.394");
    typed.accept();
    EXPECT_EQ(typed.result(), QDialog::Rejected) << "still open";
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, CString("Please enter a number between 0.5 and 10."));
}

TEST_F(FramePagesTest, TitleBlockContentsAddsFieldsAndRefusesWidthsThatLeaveNoRoom) {
    CDlgTitleBlock page;
    page.resize(600, 360);
    page.show();
    SaveLook(page, "title-block-page.png");
    EXPECT_EQ(page.columnList()->count(), 3);
    EXPECT_EQ(page.fieldList()->item(0)->text(), "Company");
    EXPECT_EQ(page.headingBox()->findText("Last Saved"), 5);
    EXPECT_FALSE(page.addButton()->isEnabled()) << "no heading yet";

    page.headingBox()->setCurrentText("Drawn By");
    page.addButton()->click();
    EXPECT_EQ(page.Layout().m_rows[0].GetFieldCount(), 2);
    page.fieldList()->setCurrentRow(0);
    page.removeButton()->click();
    ASSERT_EQ(page.Layout().m_rows[0].GetFieldCount(), 1);
    EXPECT_EQ(page.Layout().m_rows[0].GetField(0)->name, CString("Drawn By"));

    testsupport::ScriptedPrompt prompt({IDOK, IDOK});
    page.columnList()->setCurrentIndex(2);
    EXPECT_EQ(page.widthEdit()->text(), "35");
    Type(page.widthEdit(), "");
    QTest::keyClick(page.widthEdit(), Qt::Key_Backspace);
    QTest::keyClick(page.widthEdit(), Qt::Key_Return);
    EXPECT_EQ(page.Layout().m_rows[2].m_share, 0);
    page.columnList()->setCurrentIndex(0);
    Type(page.widthEdit(), "45");
    QTest::keyClick(page.widthEdit(), Qt::Key_Return);
    EXPECT_EQ(page.Layout().m_rows[0].m_share, 450);
    page.columnList()->setCurrentIndex(1);
    Type(page.widthEdit(), "45");
    QTest::keyClick(page.widthEdit(), Qt::Key_Return);
    Type(page.widthEdit(), "5");
    QTest::keyClick(page.widthEdit(), Qt::Key_Return);
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[0].text, CString("Width too large"));
    EXPECT_EQ(prompt.shown()[1].text,
              CString("Please enter a number betweem 10 and 80, or leave blank"));
    EXPECT_EQ(page.Layout().m_rows[1].m_share, 0);
    EXPECT_EQ(page.widthEdit()->text(), "") << "the former width again";

    page.columnCount()->setValue(4);
    EXPECT_EQ(page.columnList()->count(), 4);
    EXPECT_EQ(page.Layout().m_rowCount, 4);
}

}  // namespace
