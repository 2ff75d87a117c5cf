// The view's grid, undo, highlight, Find and zoom box commands, routed by the main frame.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <memory>

#include "gui/library/DlgFind.h"
#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "model/text/TextBox.h"
#include "platform/SettingsStore.h"
#include "resources/CommandIds.h"
#include "shell/commands/CommandActions.h"
#include "shell/frames/DrawFrame.h"
#include "shell/frames/MainFrame.h"
#include "shell/view/DrawView.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

struct WithApp {
    WithApp() { QtTestApp::ensure(); }
};

class ViewCommands : public ::testing::Test, WithApp {
protected:
    ViewCommands() {
        auto* child = new CDrawFrame(IDR_SCHEMATIC);
        m_view = new CDrawView(m_doc);
        child->setView(m_view);
        m_frame.AddChildFrame(child);
        child->ActivateFrame();
    }
    CTextBox* Text(const char* text) {
        auto box = std::make_unique<CTextBox>(CRect(0, -700, 600, -1000));
        box->SetText(text, FALSE);
        m_doc.AddObject(std::move(box));
        return static_cast<CTextBox*>(m_doc.GetObjects().GetTail());
    }
    CDrawObj* AddRect(int x) {
        m_doc.AddObject(std::make_unique<CDrawRect>(CRect(x, -700, x + 1000, -1500)));
        return static_cast<CDrawObj*>(m_doc.GetObjects().GetTail());
    }
    bool Run(UINT id) { return m_frame.router().Execute(id); }
    CmdUI State(UINT id) { return m_frame.router().Update(id); }
    void SetGrid(float space, DWORD metric) {
        CSnapGrid& grid = m_view->Grid();
        grid.m_spaceX = grid.m_spaceY = space;
        grid.m_metric = metric;
        grid.Update();
    }

    testsupport::TempDir m_dir;
    SettingsStore m_settings{m_dir / "settings.reg"};
    CDrawDoc m_doc;
    CMainFrame m_frame{m_settings};
    CDrawView* m_view;
};

TEST_F(ViewCommands, GridDownAndUpStepAlongTheMenuSpacings) {
    struct Case {
        float space;
        DWORD metric;
        UINT command;
        float logical;  // afterwards
    } const cases[] = {
        {0.01f, 0, ID_GRID_DOWN, 10.0f}, {0.25f, 0, ID_GRID_UP, 250.0f},
        {1.0f, 1, ID_GRID_DOWN, 250.0f}, {0.10f, 0, ID_GRID_DOWN, 50.0f},
        {0.10f, 0, ID_GRID_UP, 250.0f},  {0.005f, 0, ID_GRID_UP, 10.0f},
        {0.03f, 0, ID_GRID_DOWN, 20.0f}, {0.03f, 0, ID_GRID_UP, 50.0f},
    };
    for (const Case& c : cases) {
        SetGrid(c.space, c.metric);
        Run(c.command);
        EXPECT_FLOAT_EQ(m_view->Grid().m_logicalX, c.logical) << c.space << " " << c.command;
        EXPECT_FLOAT_EQ(m_view->Grid().m_logicalY, c.logical);
    }
    EXPECT_EQ(m_view->Grid().m_metric, 0u);
    Run(ID_GRID_005);
    EXPECT_TRUE(*State(ID_GRID_005).checked);
    EXPECT_FALSE(*State(ID_GRID_010).checked);
}

TEST_F(ViewCommands, UndoItemsNameTheNextCommand) {
    EXPECT_FALSE(State(ID_EDIT_UNDO).enabled);
    EXPECT_EQ(*State(ID_EDIT_UNDO).text, "Cant Undo\tCrtl+Z");
    EXPECT_EQ(*State(ID_EDIT_REDO).text, "Cant Redo\tCrtl+Y");
    AddRect(0);
    m_view->Select(static_cast<CDrawObj*>(m_doc.GetObjects().GetHead()));
    EXPECT_FALSE(State(ID_ALIGN_LEFT).enabled);
    m_view->Select(AddRect(3000), true);
    ASSERT_TRUE(State(ID_ALIGN_LEFT).enabled);
    Run(ID_ALIGN_LEFT);
    EXPECT_EQ(static_cast<CDrawObj*>(m_doc.GetObjects().GetHead())->GetPosition().left, 3000);
    EXPECT_TRUE(State(ID_EDIT_UNDO).enabled);
    EXPECT_EQ(*State(ID_EDIT_UNDO).text, "&Undo align left\tCrtl+Z");
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(static_cast<CDrawObj*>(m_doc.GetObjects().GetHead())->GetPosition().left, 0);
    EXPECT_EQ(*State(ID_EDIT_REDO).text, "&Redo align left\tCrtl+Y");
}

// Remove Highlights clears both highlight bits of every object, selected or not.
TEST_F(ViewCommands, HighlightsComeAndGo) {
    CDrawObj* selected = AddRect(0);
    CDrawObj* other = AddRect(2000);
    other->SetFlags(kFlagDrcError, kFlagDrcError);
    m_view->Select(selected);
    Run(ID_HIGHLIGHT_SELECTION);
    EXPECT_TRUE(selected->GetFlags() & kFlagHighlight);
    EXPECT_FALSE(other->GetFlags() & kFlagHighlight);
    m_view->Select(nullptr);
    Run(ID_REMOVE_HIGHLIGHTS);
    EXPECT_EQ(selected->GetFlags() & 0x60, 0u);
    EXPECT_EQ(other->GetFlags() & 0x60, 0u);
    EXPECT_FALSE(State(ID_SHOW_IDENTIFIER).enabled);
}

TEST_F(ViewCommands, FindNextHighlightsOneMatchAtATime) {
    CTextBox* first = Text("abc");
    CTextBox* second = Text("xabc");
    Text("q");
    EXPECT_FALSE(State(ID_EDIT_FIND_NEXT).enabled);
    ASSERT_TRUE(Run(ID_EDIT_FIND));
    CDlgFind& dialog = m_frame.findDialog();
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClicks(dialog.textEdit(), "abc");
    EXPECT_TRUE(State(ID_EDIT_FIND_NEXT).enabled);
    testsupport::ScriptedPrompt prompt{IDOK};
    for (CTextBox* expected : {first, second}) {
        ASSERT_TRUE(Run(ID_EDIT_FIND_NEXT));
        EXPECT_TRUE(expected->GetFlags() & kFlagHighlight);
        EXPECT_EQ(first->GetFlags() & kFlagHighlight, expected == first ? kFlagHighlight : 0u);
    }
    Run(ID_EDIT_FIND_NEXT);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "The specified search text was not found");
    Run(ID_EDIT_FIND_NEXT);
    EXPECT_TRUE(first->GetFlags() & kFlagHighlight);
    // The dialog's own button; a text edited since starts from the first object again.
    Run(ID_EDIT_FIND_NEXT);
    QTest::keyClicks(dialog.textEdit(), "c");
    QTest::keyClick(dialog.textEdit(), Qt::Key_Backspace);
    QTest::keyClick(dialog.textEdit(), Qt::Key_Return);
    EXPECT_TRUE(first->GetFlags() & kFlagHighlight);
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(ViewCommands, HighlightAndSelectAllTellWhenNothingMatches) {
    CTextBox* a = Text("R1");
    CTextBox* b = Text("R10");
    Text("C1");
    Run(ID_EDIT_FIND);
    QTest::keyClicks(m_frame.findDialog().textEdit(), "r1");
    ASSERT_TRUE(Run(ID_FIND_SELECT_ALL));
    EXPECT_EQ(m_view->GetSelection().GetCount(), 2);
    EXPECT_TRUE(m_view->IsSelected(a) && m_view->IsSelected(b));
    ASSERT_TRUE(Run(ID_FIND_HIGHLIGHT_ALL));
    EXPECT_TRUE((a->GetFlags() & b->GetFlags()) & kFlagHighlight);
    m_frame.findDialog().textEdit()->setText("zz");
    testsupport::ScriptedPrompt prompt{IDOK, IDOK};
    Run(ID_FIND_HIGHLIGHT_ALL);
    Run(ID_FIND_SELECT_ALL);
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[1].text, "No matching objects found");
}

// Find's highlight lasts while its dialog is open: Close and Esc take it away; Highlight All,
// which hides the dialog to show its marks, keeps them.
TEST_F(ViewCommands, ClosingFindTakesItsHighlightAway) {
    CTextBox* found = Text("R2");
    Run(ID_EDIT_FIND);
    CDlgFind& dialog = m_frame.findDialog();
    QTest::keyClicks(dialog.textEdit(), "R2");
    Run(ID_EDIT_FIND_NEXT);
    ASSERT_TRUE(found->GetFlags() & kFlagHighlight);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(found->GetFlags() & kFlagHighlight);

    Run(ID_EDIT_FIND);
    QTest::keyClick(dialog.textEdit(), Qt::Key_Return);
    ASSERT_TRUE(found->GetFlags() & kFlagHighlight);
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (button->text() == "&Close")
            button->click();
    }
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(found->GetFlags() & kFlagHighlight);

    Run(ID_EDIT_FIND);
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (button->text() == "&Highlight All")
            button->click();
    }
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(found->GetFlags() & kFlagHighlight);
}

// Close took the default while it had the focus; Find shows with Find Next the default again,
// so that Return in the text searches.
TEST_F(ViewCommands, ReturnFindsNextAfterFindWasClosedWithClose) {
    CTextBox* found = Text("R2");
    Run(ID_EDIT_FIND);
    CDlgFind& dialog = m_frame.findDialog();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClicks(dialog.textEdit(), "R2");
    for (auto* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() != "&Close")
            continue;
        button->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(button->isDefault()) << "a focused button is the default while focused";
        QTest::mouseClick(button, Qt::LeftButton);
    }
    ASSERT_FALSE(dialog.isVisible());

    Run(ID_EDIT_FIND);
    QTest::keyClick(dialog.textEdit(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(found->GetFlags() & kFlagHighlight);
}

// Find Next zooms onto what it finds in the middle of the view; a dialog lying over that spot
// moves off it.
TEST_F(ViewCommands, FindNextShowsTheFoundObjectClearOfTheDialog) {
    m_frame.setGeometry(0, 0, 700, 500);
    m_frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_frame));
    auto box = std::make_unique<CTextBox>(CRect(3000, -3000, 3200, -3100));
    box->SetText("R2", FALSE);
    CDrawObj* found = box.get();
    m_doc.AddObject(std::move(box));
    Run(ID_EDIT_FIND);
    CDlgFind& dialog = m_frame.findDialog();
    QTest::keyClicks(dialog.textEdit(), "R2");
    const QRect viewArea(m_view->viewport()->mapToGlobal(QPoint(0, 0)), m_view->viewport()->size());
    QRect over = dialog.frameGeometry();
    over.moveCenter(viewArea.center());
    dialog.move(over.topLeft());
    Run(ID_EDIT_FIND_NEXT);
    ASSERT_TRUE(found->GetFlags() & kFlagHighlight);
    CRect bounds;
    found->GetBoundingRect(bounds);
    const CPoint a = m_view->DocToClient(bounds.TopLeft());
    const CPoint b = m_view->DocToClient(bounds.BottomRight());
    const QRect shown(
        m_view->viewport()->mapToGlobal(QPoint(std::min(a.x, b.x), std::min(a.y, b.y))),
        m_view->viewport()->mapToGlobal(QPoint(std::max(a.x, b.x), std::max(a.y, b.y))));
    EXPECT_TRUE(viewArea.contains(shown));
    EXPECT_FALSE(dialog.frameGeometry().intersects(shown));
    EXPECT_TRUE(dialog.isVisible());
}

// The main toolbar's zoom box shows the zoom after every change and applies a value only when
// the user chooses one from its list or types one.
TEST_F(ViewCommands, TheZoomBoxFollowsTheZoomAndAppliesOnlyAChoice) {
    m_frame.show();
    m_frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_frame));
    auto* box = qobject_cast<QComboBox*>(m_frame.actions().Control(ID_ZOOM_BOX));
    ASSERT_TRUE(box);
    // The box holds the focus when the user picks from its list.
    box->setFocus(Qt::MouseFocusReason);
    box->setCurrentIndex(box->findText("200%"));
    emit box->activated(box->currentIndex());
    EXPECT_FLOAT_EQ(m_view->ZoomFactor(), 2.0f);
    EXPECT_TRUE(m_view->hasFocus());
    QApplication::processEvents();

    // Ctrl+wheel over the sheet zooms out by 1.25.
    const QPoint at = m_view->viewport()->rect().center();
    QWheelEvent wheel(at, m_view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(m_view->viewport(), &wheel);
    QApplication::processEvents();
    EXPECT_FLOAT_EQ(m_view->ZoomFactor(), 1.6f);
    EXPECT_EQ(box->currentText().toStdString(), "160%");
    // A click on the sheet takes the focus and keeps the zoom.
    m_view->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_FLOAT_EQ(m_view->ZoomFactor(), 1.6f);
    EXPECT_EQ(box->currentText().toStdString(), "160%");

    // A typed value counts when Enter is pressed; the focus goes back to the view.
    box->setFocus(Qt::MouseFocusReason);
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), "150");
    QApplication::processEvents();  // what the user types stays
    EXPECT_EQ(box->currentText().toStdString(), "150");
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_FLOAT_EQ(m_view->ZoomFactor(), 1.5f);
    EXPECT_TRUE(m_view->hasFocus());
    // The focus passing through the box changes nothing ("188%" would give 1.88).
    m_frame.actions().Action(ID_ZOOM_IN)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(box->currentText().toStdString(), "188%");
    box->setFocus(Qt::TabFocusReason);
    m_view->setFocus(Qt::MouseFocusReason);
    EXPECT_FLOAT_EQ(m_view->ZoomFactor(), 1.875f);
}

}  // namespace
