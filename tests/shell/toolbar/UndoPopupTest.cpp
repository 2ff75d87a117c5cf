#include "shell/toolbar/UndoPopup.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QScrollBar>
#include <QTest>

#include "gui/support/QtTestApp.h"
#include "model/doc/DrawDoc.h"
#include "model/undo/MultiCmd.h"
#include "shell/support/PopupTestSupport.h"
#include "shell/toolbar/UndoListBox.h"
#include "shell/view/DrawView.h"

namespace {

using Calls = std::vector<std::string>;

class UndoPopupTest : public ::testing::Test, WithQtApp {
protected:
    UndoPopupTest() {
        m_target.rows = {"1 - Move", "2 - Add objects", "3 - Wire", "4 - Rotate", "5 - Delete"};
    }

    CUndoListBox* List() { return m_popup.dialog()->list(); }
    QPoint RowCentre(int row) { return List()->visualItemRect(List()->item(row)).center(); }
    QString Caption() { return m_popup.dialog()->caption()->text(); }

    FakePopupTarget m_target;
    CUndoPopup m_popup{nullptr, true};
};

TEST_F(UndoPopupTest, DraggingToTheThirdRowUndoesThreeOnRelease) {
    ASSERT_TRUE(m_popup.Init(&m_target));
    EXPECT_EQ(Caption(), "Select commands to undo");
    QStringList captions;
    const int result = TrackWith(m_popup, [&] {
        QWidget* viewport = List()->viewport();
        SendMouse(viewport, QEvent::MouseButtonPress, RowCentre(0));
        captions << Caption();
        SendMouse(viewport, QEvent::MouseMove, RowCentre(2));
        captions << Caption();
        SaveArtefact(&m_popup, "undo-list");
        SendMouse(viewport, QEvent::MouseButtonRelease, RowCentre(2), Qt::NoButton);
    });
    EXPECT_EQ(result, CPopupFrame::kEnded);
    EXPECT_EQ(captions, QStringList({"Undo 1 items", "Undo 3 items"}));
    EXPECT_EQ(m_target.calls, Calls({"rows undo", "undo 3"}));
    EXPECT_FALSE(m_popup.isVisible());
}

TEST_F(UndoPopupTest, EndingWithoutASelectionUndoesNothing) {
    struct Case {
        const char* name;
        std::function<void(CUndoPopup&, CUndoListBox*)> act;
        int result;
    } cases[] = {
        {"release outside every item",
         [](CUndoPopup&, CUndoListBox* list) {
             const QPoint outside(-50, -50);
             SendMouse(list->viewport(), QEvent::MouseButtonPress, QPoint(2, 2));
             SendMouse(list->viewport(), QEvent::MouseMove, outside);
             SendMouse(list->viewport(), QEvent::MouseButtonRelease, outside, Qt::NoButton);
         },
         CPopupFrame::kEnded},
        {"Esc",
         [](CUndoPopup&, CUndoListBox* list) {
             SendMouse(list->viewport(), QEvent::MouseMove, QPoint(2, 2));
             QTest::keyClick(list, Qt::Key_Escape);
         },
         CPopupFrame::kCancelled},
        // Keys that move the selection never execute it.
        {"End then Esc",
         [](CUndoPopup&, CUndoListBox* list) {
             QTest::keyClick(list, Qt::Key_End);
             QTest::keyClick(list, Qt::Key_Escape);
         },
         CPopupFrame::kCancelled},
    };
    for (const Case& c : cases) {
        m_target.calls.clear();
        ASSERT_TRUE(m_popup.Init(&m_target));
        EXPECT_EQ(TrackWith(m_popup, [&] { c.act(m_popup, List()); }), c.result) << c.name;
        EXPECT_EQ(m_target.calls, Calls({"rows undo"})) << c.name;
    }
}

TEST_F(UndoPopupTest, KeysMoveTheSelectionAndEnterExecutesIt) {
    CUndoPopup redo(nullptr, false);
    ASSERT_TRUE(redo.Init(&m_target));
    EXPECT_EQ(redo.dialog()->caption()->text(), "Select commands to redo");
    QString caption;
    const int result = TrackWith(redo, [&] {
        CUndoListBox* list = redo.dialog()->list();
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up})
            QTest::keyClick(list, key);
        caption = redo.dialog()->caption()->text();
        QTest::keyClick(list, Qt::Key_Return);
    });
    EXPECT_EQ(result, CPopupFrame::kEnded);
    EXPECT_EQ(caption, "Redo 2 items");
    EXPECT_EQ(m_target.calls, Calls({"rows redo", "redo 2"}));
}

TEST_F(UndoPopupTest, DraggingBelowTheListScrollsAndSelectsTheLastVisibleRow) {
    m_target.rows.clear();
    for (int i = 1; i <= 30; ++i)
        m_target.rows.push_back(CString(std::to_string(i) + " - Move"));
    ASSERT_TRUE(m_popup.Init(&m_target));
    int selected = 0;
    int lastVisible = -1;
    int scrolled = 0;
    TrackWith(m_popup, [&] {
        QWidget* viewport = List()->viewport();
        SendMouse(viewport, QEvent::MouseButtonPress, RowCentre(0));
        SendMouse(viewport, QEvent::MouseMove, QPoint(5, viewport->height() + 3));
        QTest::qWait(3 * CUndoListBox::kScrollInterval + 50);
        selected = List()->SelectedCount();
        lastVisible = List()->indexAt(QPoint(1, List()->viewport()->height() - 1)).row();
        scrolled = List()->verticalScrollBar()->value();
        QTest::keyClick(List(), Qt::Key_Escape);
    });
    EXPECT_GT(scrolled, 0);
    EXPECT_EQ(selected, lastVisible + 1);
}

TEST_F(UndoPopupTest, WithoutATargetThePopupIsNotShown) {
    EXPECT_FALSE(m_popup.Init(nullptr));
}

// The view's answers come from its document's history.
TEST(DrawViewUndoTest, ListsAndUndoesTheDocumentsCommands) {
    QtTestApp::ensure();
    CDrawDoc doc;
    CDrawView view(doc);
    for (const char* name : {"move", "wire", "rotate"})
        doc.GetUndoList().Add(new CMultiCmd(name));
    std::vector<CString> rows;
    ASSERT_TRUE(view.UndoListRows(true, rows));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_STREQ(rows[0], "1 - Rotate");
    view.UndoCommands(true, 2);
    EXPECT_STREQ(doc.GetUndoList().GetUndoName(), "move");
    view.UndoCommands(false, 1);
    EXPECT_STREQ(doc.GetUndoList().GetRedoName(), "rotate");
}

}  // namespace
