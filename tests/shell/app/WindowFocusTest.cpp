// The keyboard follows the document windows: the view of a window that becomes active takes
// the keys, and Esc cancels the view's gesture wherever the focus is in the main window.

#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "drawtools/ToolManager.h"
#include "gui/library/LibraryBar.h"
#include "gui/library/ShellTreeCtrl.h"
#include "model/shapes/DrawRect.h"
#include "resources/CommandIds.h"
#include "shell/frames/ChildFrame.h"
#include "shell/frames/WorkspaceBar.h"
#include "shell/support/AppFixture.h"
#include "shell/view/DrawView.h"

namespace {

class WindowFocusTest : public AppFixture {
protected:
    void SetUp() override {
        m_app = StartActive();
        ASSERT_TRUE(m_started);
        m_frame = m_app->MainFrame();
    }
    void TearDown() override {
        for (CDocumentBase* document : m_app->Documents().Documents())
            document->SetModifiedFlag(FALSE);
        EXPECT_TRUE(Close(*m_app));
    }

    CDrawView* ActiveView() const {
        CChildFrame* child = m_frame->ActiveChildFrame();
        return child ? qobject_cast<CDrawView*>(child->view()) : nullptr;
    }
    // The Workspace tree takes the focus, as a click on it does.
    void FocusWorkspaceTree() {
        auto* library = dynamic_cast<CLibraryBar*>(m_frame->workspaceBar()->FilesPage());
        ASSERT_NE(library, nullptr);
        CShellTreeCtrl* tree = library->Tree();
        tree->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([tree] { return tree->hasFocus(); }));
    }
    static int Shape() { return GetToolManager()->state.currentShape; }

    // The active window's view has the focus and its keys choose tools.
    void ExpectKeysReachTheActiveView(const char* after) {
        CDrawView* view = ActiveView();
        ASSERT_NE(view, nullptr) << after;
        EXPECT_EQ(QApplication::focusWidget(), view) << after;
        Press(Qt::Key_R);
        EXPECT_EQ(Shape(), kToolRect) << after;
        Press(Qt::Key_S);
        EXPECT_EQ(Shape(), kToolSelect) << after;
    }

    std::unique_ptr<CSchematicQtApp> m_app;
    CMainFrame* m_frame = nullptr;
};

TEST_F(WindowFocusTest, TheViewOfEachNewOpenedOrSwitchedWindowTakesTheKeys) {
    const std::string first = MakeSchematic("first.sch");
    const std::string second = MakeSchematic("second.sch");
    ExpectKeysReachTheActiveView("start");
    FocusWorkspaceTree();
    Press(Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(WindowCount(*m_app), 2);
    ExpectKeysReachTheActiveView("Ctrl+N");
    ASSERT_NE(m_app->OpenDocumentFile(first), nullptr);
    ExpectKeysReachTheActiveView("open");
    ASSERT_NE(m_app->OpenDocumentFile(second), nullptr);
    m_frame->router().Execute(ID_FILE_MRU_FIRST + 1);  // first.sch, again
    QApplication::processEvents();
    EXPECT_EQ(m_frame->ActiveChildFrame()->windowTitle(), "first.sch");
    ExpectKeysReachTheActiveView("recent file");
    CDrawView* before = ActiveView();
    FocusWorkspaceTree();
    Press(Qt::Key_F6, Qt::ControlModifier);
    EXPECT_NE(ActiveView(), before);
    ExpectKeysReachTheActiveView("Ctrl+F6");
    m_frame->router().Execute(ID_WINDOW_NEXT);
    QApplication::processEvents();
    ExpectKeysReachTheActiveView("Window > Next");
}

// Two schematics; a modal dialog over the second (Summary Info, whose parent is the view, and
// Document Settings): Ctrl+Tab and Ctrl+F6 pressed in it leave the document behind it active.
TEST_F(WindowFocusTest, KeysPressedInAModalDialogStayInIt) {
    Press(Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(WindowCount(*m_app), 2);
    CChildFrame* behind = m_frame->ActiveChildFrame();
    for (const UINT command : {ID_FILE_SUMMARY_INFO, ID_VIEW_DOCUMENT_SETTINGS}) {
        for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_F6}) {
            bool shown = false;
            QTimer::singleShot(0, [&shown, key] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!dialog)
                    return;
                shown = true;
                QWidget* target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
                QTest::keyClick(target, key, Qt::ControlModifier);
                QTest::keyRelease(target, Qt::Key_Control);
                dialog->reject();
            });
            m_frame->router().Execute(command);
            QApplication::processEvents();
            EXPECT_TRUE(shown) << command;
            EXPECT_EQ(m_frame->ActiveChildFrame(), behind) << command << " key " << key;
        }
    }
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame));
    ActiveView()->setFocus();
    Press(Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyRelease(ActiveView(), Qt::Key_Control);
    EXPECT_NE(m_frame->ActiveChildFrame(), behind) << "in the main window it switches";
}

// Closing the active window activates the window used before it, not the first one opened;
// that window's view takes the keys.
TEST_F(WindowFocusTest, ClosingTheActiveWindowReturnsToTheWindowUsedBeforeIt) {
    const std::string rc = MakeSchematic("rc.sch");
    const std::string top = MakeSchematic("top.sch");
    const std::string lpf = MakeSchematic("lpf.sch");
    m_frame->router().Execute(ID_FILE_CLOSE);  // the new document of the start
    for (const std::string& path : {rc, top, lpf})
        ASSERT_NE(m_app->OpenDocumentFile(path), nullptr);
    auto activeTitle = [this] {
        CChildFrame* child = m_frame->ActiveChildFrame();
        return child ? child->windowTitle().toStdString() : std::string("none");
    };
    auto chooseWindow = [this](UINT number) {  // Window > number
        m_frame->router().Execute(ID_WINDOW_CHILD_FIRST + number - 1);
        QApplication::processEvents();
    };
    chooseWindow(2);
    chooseWindow(3);
    ASSERT_EQ(activeTitle(), "lpf.sch");
    m_frame->router().Execute(ID_FILE_CLOSE);
    QApplication::processEvents();
    EXPECT_EQ(activeTitle(), "top.sch");
    ExpectKeysReachTheActiveView("File > Close");

    // The window's own close command (Ctrl+F4) goes the same way.
    ASSERT_NE(m_app->OpenDocumentFile(lpf), nullptr);
    chooseWindow(1);
    chooseWindow(2);
    ASSERT_EQ(activeTitle(), "top.sch");
    m_frame->router().Execute(ID_WINDOW_CLOSE);
    QApplication::processEvents();
    EXPECT_EQ(activeTitle(), "rc.sch");
    ExpectKeysReachTheActiveView("Window > Close");
}

// Placing from the library list, the Workspace tree takes the focus; Esc still takes the
// part away. In a dialog or a label being edited, Esc stays theirs.
TEST_F(WindowFocusTest, EscapeCancelsPlacingWhereverTheFocusIsInTheMainWindow) {
    CDrawView* view = ActiveView();
    ASSERT_NE(view, nullptr);
    CDrawRect part(CRect(0, 0, 400, -200));
    CObList objects;
    objects.AddTail(&part);
    ASSERT_TRUE(view->PlaceObjects(objects));
    ASSERT_EQ(Shape(), kToolPlace);

    QDialog dialog(m_frame);
    auto* field = new QLineEdit(&dialog);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    field->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([field] { return field->hasFocus(); }));
    Press(Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(Shape(), kToolPlace);
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame));

    // A label edited in the window keeps its Esc, which ends the edit.
    QTreeWidget list(m_frame->workspaceBar()->FilesPage());
    auto* item = new QTreeWidgetItem(&list, {"name"});
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    list.show();
    list.editItem(item);
    QPointer<QLineEdit> editor;
    ASSERT_TRUE(QTest::qWaitFor([&editor] {
        editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        return editor != nullptr;
    }));
    Press(Qt::Key_Escape);
    EXPECT_TRUE(!editor || !editor->isVisible());
    EXPECT_EQ(Shape(), kToolPlace);

    FocusWorkspaceTree();
    Press(Qt::Key_Escape);
    EXPECT_EQ(Shape(), kToolSelect);
    EXPECT_TRUE(view->GetDocument().GetObjects().IsEmpty());
}

}  // namespace
