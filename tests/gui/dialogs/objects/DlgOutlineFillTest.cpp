#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "gui/dialogs/objects/DlgOutlineFill.h"
#include "gui/dialogs/objects/ObjectPropertiesSheet.h"
#include "gui/dialogs/objects/OutlineFillControls.h"
#include "gui/kit/ColourPickerDlg.h"
#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"

namespace {

class DlgOutlineFillTest : public ::testing::Test {
protected:
    DlgOutlineFillTest() { QtTestApp::ensure(); }

    CDrawRect* Rect(DWORD flags) {
        auto* rect = new CDrawRect(CRect(0, 0, 1000, -500));
        rect->SetFlags(flags, ~DWORD{0});
        rect->SetDocument(&doc);
        doc.GetObjects().AddTail(rect);
        objects.AddTail(rect);
        return rect;
    }
    OutlineFillState Loaded(DWORD kinds) {
        OutlineFillState state;
        state.Load(objects, kinds);
        return state;
    }
    // Runs the "Object Properties" sheet over the objects; script acts on its page, then the
    // sheet is accepted (ok) or cancelled.
    bool Run(bool ok, const std::function<void(CPropertySheet&, CDlgOutlineFill&)>& script) {
        QTimer::singleShot(0, [ok, script] {
            auto* sheet = qobject_cast<CPropertySheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            auto* page = qobject_cast<CDlgOutlineFill*>(sheet->Page(0));
            ASSERT_NE(page, nullptr);
            script(*sheet, *page);
            ok ? sheet->accept() : sheet->reject();
        });
        return EditObjectProperties(doc, objects, 0x9, nullptr);
    }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    CObList objects;
};

TEST_F(DlgOutlineFillTest, MixedObjectsShowIndeterminateBoxesAndTheGroupsTheirKindsAllow) {
    Rect(kFlagOutlined | kFlagFilled);
    Rect(kFlagOutlined);
    auto* owned = new CDlgOutlineFill("Outline and Fill", Loaded(0x9), nullptr);
    CDlgOutlineFill& page = *owned;
    CPropertySheet sheet("Object Properties", nullptr);
    sheet.AddPage(owned);
    sheet.show();
    EXPECT_EQ(page.noFill()->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(page.noOutline()->checkState(), Qt::Unchecked);
    EXPECT_FALSE(page.noOutline()->isTristate());
    EXPECT_TRUE(page.fillGroup()->isVisible());
    EXPECT_FALSE(page.arrowGroup()->isVisible());
    EXPECT_FALSE(page.closedCurve()->isVisible());
    EXPECT_TRUE(page.insideFrame()->isVisible());
    EXPECT_EQ(page.outlineGroup()->title(), "Outline");
    EXPECT_EQ(page.weight()->text(), "0");
    EXPECT_TRUE(sheet.grab().save(QString(VOSK_BINARY_DIR) + "/object-properties.png"));

    // A broken style zeroes the weight; typing a weight brings back the solid style.
    page.weight()->edit()->setText("2");
    page.style()->setCurrentIndex(2);
    emit page.style()->activated(2);
    EXPECT_EQ(page.weight()->text(), "0");
    QTest::keyClicks(page.weight()->edit(), "5");
    EXPECT_EQ(page.style()->currentIndex(), 0);

    // "Use Default" disables the outline's own controls.
    page.outlineDefault()->click();
    EXPECT_FALSE(page.style()->isEnabled());
    EXPECT_FALSE(page.penColour()->isEnabled());
}

TEST_F(DlgOutlineFillTest, AnOutOfRangeWeightKeepsThePageOpen) {
    CDrawRect* rect = Rect(kFlagOutlined);
    testsupport::ScriptedPrompt prompt({IDOK});
    EXPECT_FALSE(Run(false, [](CPropertySheet& sheet, CDlgOutlineFill& page) {
        page.weight()->edit()->setText("150");
        sheet.accept();
        EXPECT_TRUE(sheet.isVisible());
    }));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(rect->GetOwnPen(), nullptr);
    EXPECT_EQ(doc.GetUndoList().GetCount(), 0);
}

TEST_F(DlgOutlineFillTest, OkAppliesToEveryObjectAsOneStepAndCancelChangesNothing) {
    Rect(kFlagOutlined | kFlagFilled);
    Rect(kFlagOutlined);
    const auto edit = [](CPropertySheet&, CDlgOutlineFill& page) {
        ASSERT_EQ(page.outlineDefault()->checkState(), Qt::Checked);
        page.outlineDefault()->click();
        page.weight()->edit()->setText("");
        QTest::keyClicks(page.weight()->edit(), "1");
        page.penColour()->click();
        ASSERT_NE(page.penColour()->picker(), nullptr);
        page.penColour()->picker()->cells()[0]->click();
        EXPECT_FALSE(page.penColour()->popup()->isVisible());
    };
    EXPECT_FALSE(Run(false, edit));
    EXPECT_EQ(doc.GetUndoList().GetCount(), 0);
    EXPECT_EQ(static_cast<CDrawObj*>(doc.GetObjects().GetHead())->GetOwnPen(), nullptr);

    EXPECT_TRUE(Run(true, edit));
    EXPECT_EQ(doc.GetUndoList().GetCount(), 1);
    EXPECT_STREQ(doc.GetUndoList().GetUndoName(), "object properties");
    const COLORREF first = ColourGridCells()[0].colour;
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
        const auto* copy = static_cast<const CDrawObj*>(doc.GetObjects().GetNext(pos));
        ASSERT_NE(copy->GetOwnPen(), nullptr);
        EXPECT_EQ(copy->GetOwnPen()->lopnWidth.x, 14);
        EXPECT_EQ(copy->GetOwnPen()->lopnColor, first);
    }
    // The fill bits differed and stay as they were.
    EXPECT_EQ(static_cast<CDrawObj*>(doc.GetObjects().GetHead())->GetFlags() & kFlagFilled,
              kFlagFilled);
    EXPECT_EQ(static_cast<CDrawObj*>(doc.GetObjects().GetTail())->GetFlags() & kFlagFilled, 0u);
}

// Widths the page shows rounded (0.1, 0.4, 0.6 and 0.8 points) stay as they are.
TEST_F(DlgOutlineFillTest, OkWithNothingEditedKeepsTheObjectsAndAddsNoStep) {
    for (const LONG width : {2, 5, 9, 12}) {
        SCOPED_TRACE(width);
        CDrawRect* rect = Rect(kFlagOutlined | kFlagFilled);
        const LOGPEN pen{PS_SOLID, {width, width}, 0x0000FF};
        rect->SetPen(&pen);
        const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
        EXPECT_FALSE(Run(true, [](CPropertySheet&, CDlgOutlineFill& page) {
            EXPECT_FALSE(page.weight()->text().isEmpty());
        }));
        EXPECT_EQ(testsupport::DocumentBytes(doc), before);
        EXPECT_EQ(doc.GetUndoList().GetCount(), 0);
        objects.RemoveAll();
    }
}

// "Inside Frame" unticked alone takes the outline out of the frame, as one step that undo takes
// back byte for byte; an OK that changes nothing keeps the pen and records nothing.
TEST_F(DlgOutlineFillTest, InsideFrameUntickedAloneDrawsTheOutlineOnTheEdge) {
    const LOGPEN framed{PS_INSIDEFRAME, {28, 28}, 0x0000FF};
    Rect(kFlagOutlined | kFlagFilled)->SetPen(&framed);
    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
    EXPECT_FALSE(Run(true, [](CPropertySheet&, CDlgOutlineFill& page) {
        EXPECT_EQ(page.insideFrame()->checkState(), Qt::Checked);
    }));
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
    EXPECT_EQ(doc.GetUndoList().GetCount(), 0);

    EXPECT_TRUE(Run(true, [](CPropertySheet&, CDlgOutlineFill& page) {
        page.insideFrame()->click();
        EXPECT_EQ(page.insideFrame()->checkState(), Qt::Unchecked);
    }));
    EXPECT_EQ(doc.GetUndoList().GetCount(), 1);
    const auto* edited = static_cast<const CDrawObj*>(doc.GetObjects().GetHead());
    ASSERT_NE(edited->GetOwnPen(), nullptr);
    EXPECT_EQ(edited->GetOwnPen()->lopnStyle & 0xF, UINT(PS_SOLID));
    EXPECT_EQ(edited->GetOwnPen()->lopnWidth.x, 28);
    EXPECT_EQ(edited->GetOwnPen()->lopnColor, 0x0000FFu);
    const std::vector<BYTE> after = testsupport::DocumentBytes(doc);
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
    ASSERT_TRUE(doc.GetUndoList().Redo());
    EXPECT_EQ(testsupport::DocumentBytes(doc), after);
}

// Opening a colour grid and closing it again chooses nothing, for one object or several.
TEST_F(DlgOutlineFillTest, AColourGridClosedWithoutAChoiceLeavesTheObjectsAlone) {
    const LOGPEN thin{PS_SOLID, {2, 2}, 0x0000FF};
    const LOGPEN thick{PS_SOLID, {28, 28}, 0x00FF00};
    const LOGBRUSH brush{BS_SOLID, 0x00FF00, 0};
    CDrawRect* first = Rect(kFlagOutlined | kFlagFilled);
    first->SetPen(&thin);
    first->SetBrush(&brush);
    for (int count = 1; count <= 2; ++count) {
        SCOPED_TRACE(count);
        if (count == 2)
            Rect(kFlagOutlined)->SetPen(&thick);
        const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
        EXPECT_FALSE(Run(true, [](CPropertySheet&, CDlgOutlineFill& page) {
            for (CColourButton* button : {page.penColour(), page.brushColour()}) {
                button->click();
                ASSERT_NE(button->popup(), nullptr);
                ASSERT_TRUE(button->popup()->isVisible());
                button->click();
                EXPECT_FALSE(button->popup()->isVisible());
            }
        }));
        EXPECT_EQ(testsupport::DocumentBytes(doc), before);
        EXPECT_EQ(doc.GetUndoList().GetCount(), 0);
    }
}

// A hatch chosen from the keyboard changes the brush of every object, and their pens not at all
// (widths the page shows rounded included).
TEST_F(DlgOutlineFillTest, AHatchChosenChangesOnlyTheBrushes) {
    const LOGPEN thin{PS_SOLID, {2, 2}, 0x0000FF};
    const LOGPEN thick{PS_DOT, {0, 0}, 0x00FF00};
    const LOGBRUSH brush{BS_HATCHED, 0x00FF00, HS_BDIAGONAL};
    for (const LOGPEN* pen : {&thin, &thick}) {
        CDrawRect* rect = Rect(kFlagOutlined | kFlagFilled);
        rect->SetPen(pen);
        rect->SetBrush(&brush);
    }
    EXPECT_TRUE(Run(true, [](CPropertySheet&, CDlgOutlineFill& page) {
        page.hatch()->setFocus();
        QTest::keyClick(page.hatch(), Qt::Key_Down);
    }));
    EXPECT_EQ(doc.GetUndoList().GetCount(), 1);
    for (const LOGPEN* pen : {&thin, &thick}) {
        const auto* copy = static_cast<const CDrawObj*>(
            doc.GetObjects().GetAt(doc.GetObjects().FindIndex(pen == &thin ? 0 : 1)));
        ASSERT_NE(copy->GetOwnPen(), nullptr);
        EXPECT_EQ(copy->GetOwnPen()->lopnStyle, pen->lopnStyle);
        EXPECT_EQ(copy->GetOwnPen()->lopnWidth.x, pen->lopnWidth.x);
        EXPECT_EQ(copy->GetOwnPen()->lopnColor, pen->lopnColor);
        ASSERT_NE(copy->GetOwnBrush(), nullptr);
        EXPECT_NE(copy->GetOwnBrush()->lbHatch, brush.lbHatch);
        EXPECT_EQ(copy->GetOwnBrush()->lbColor, brush.lbColor);
    }
}

}  // namespace
