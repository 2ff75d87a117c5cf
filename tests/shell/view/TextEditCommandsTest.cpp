// A text edited in place in the running program, and the commands and keys that come while it
// is open: they end the edit first, and a value its object refuses holds them back.

#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <string>
#include <vector>

#include "library/LibraryItemData.h"
#include "model/text/AttrText.h"
#include "shell/app/MessageBoxPrompt.h"
#include "shell/toolbar/DropDownButton.h"
#include "shell/view/InPlaceTextEdit.h"
#include "shell/view/ToolLifeCycle.h"
#include "support/StandardItems.h"

namespace {

// The program's own message boxes, each answered with one button once it shows; the texts of
// the boxes shown.
class AnsweredBoxes {
public:
    explicit AnsweredBoxes(QMessageBox::StandardButton answer)
        : m_previous(SetUserPrompt(&m_boxes)), m_answer(answer) {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            shown.push_back(box->text().toStdString());
            box->button(m_answer)->click();
        });
        m_timer.start();
    }
    ~AnsweredBoxes() { SetUserPrompt(m_previous); }

    std::vector<std::string> shown;

private:
    CMessageBoxPrompt m_boxes;
    IUserPrompt* m_previous;
    QMessageBox::StandardButton m_answer;
    QTimer m_timer;
};

class TextEditCommandsTest : public ToolLifeCycle {
protected:
    // A 7400 of the standard library, "U1A"; m_reference shows its identifier.
    void PlaceGate() {
        CLibraryItemData item;
        EXPECT_TRUE(testsupport::ReadStandardItem(Doc(), "logic.rlb", "7400", item));
        CObList copies;
        copies.AddTail(&item.m_objects);
        EXPECT_TRUE(Doc().AddObjectCopies(&copies));
        auto* gate = static_cast<CSymbol*>(copies.GetHead());
        for (POSITION pos = gate->GetAttrTextList()->GetHeadPosition(); pos;) {
            auto* text = static_cast<CAttrText*>(gate->GetAttrTextList()->GetNext(pos));
            if (text->GetName() == "_ID")
                m_reference = text;
        }
        ASSERT_NE(m_reference, nullptr);
        EXPECT_EQ(m_reference->GetText(), "U1A");
    }

    CAttrText* m_reference = nullptr;
};

// A gate letter the 7400 lacks, then the toolbar's Redo or a picker's choice: one refusal; OK
// goes on editing what was typed and nothing is redone or changed. Then Ctrl+S: Cancel ends the
// edit with the reference as it was, and the save runs.
TEST_F(TextEditCommandsTest, ARefusedReferenceHoldsBackTheCommandUnlessTheEditIsGivenUp) {
    const std::string file = (m_dir / "gate.sch").string();
    ASSERT_TRUE(Doc().OnSaveDocument(file.c_str()));
    Doc().SetPathName(file.c_str());
    PlaceGate();
    Press(Qt::Key_R);
    Drag(CPoint(5000, -5000), CPoint(6000, -5500));
    m_frame->UpdateCommandUI();
    Undo();
    ASSERT_TRUE(History().CanRedo());
    m_view->BeginTextEdit(m_reference);
    CInPlaceTextEdit* edit = m_view->TextEditor();
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "U1E");
    const Bytes before = Saved();
    m_frame->UpdateCommandUI();
    auto* redo = m_frame->toolbar(IDR_MAIN_TOOLBAR)
                     ->findChild<CDropDownButton*>(QString("dropDown%1").arg(ID_EDIT_REDO));
    ASSERT_NE(redo, nullptr);
    ASSERT_TRUE(redo->isEnabled());
    {
        AnsweredBoxes boxes(QMessageBox::Ok);
        QTest::mouseClick(redo, Qt::LeftButton, {}, QPoint(4, redo->height() / 2));
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].find("Error: Property value invalid - U1E\n"), 0u);
    }
    // So does a choice of the toolbar's pickers.
    for (const bool colour : {true, false}) {
        AnsweredBoxes boxes(QMessageBox::Ok);
        if (colour)
            m_view->ApplyColour(ID_LINE_COLOUR, ColourCode::kColour, 0x0000FF);
        else
            m_view->ApplyStyle(ID_LINE_WIDTH, 3);
        EXPECT_EQ(boxes.shown.size(), 1u);
    }
    ASSERT_EQ(m_view->TextEditor(), edit);
    EXPECT_EQ(edit->StoredText(), "U1E");
    m_frame->activateWindow();  // as the desktop does when the box goes
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame));
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_TRUE(History().CanRedo()) << "the redo did not run";
    EXPECT_EQ(Saved(), before);

    Doc().SetModifiedFlag();
    {
        AnsweredBoxes boxes(QMessageBox::Cancel);
        Press(Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(boxes.shown.size(), 1u);
    }
    EXPECT_EQ(m_view->TextEditor(), nullptr);
    EXPECT_EQ(m_reference->GetText(), "U1A");
    EXPECT_FALSE(Doc().IsModified()) << "the save ran";
    EXPECT_EQ(Saved(), before);
}

// T, a click, "World" typed over the new text; Ctrl+Z takes the typing back in the editor and
// Ctrl+Y gives it back; a click on the sheet stores it.
TEST_F(TextEditCommandsTest, TheRedoKeyGivesBackWhatTheUndoKeyTookFromTheTyping) {
    Press(Qt::Key_T);
    Click(CPoint(2000, -2000));
    CInPlaceTextEdit* edit = m_view->TextEditor();
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "World");
    Press(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(m_view->TextEditor(), edit);
    EXPECT_EQ(edit->StoredText(), "Text");
    Press(Qt::Key_Y, Qt::ControlModifier);
    ASSERT_EQ(m_view->TextEditor(), edit);
    EXPECT_EQ(edit->StoredText(), "World");
    Click(CPoint(4000, -4000));
    EXPECT_EQ(m_view->TextEditor(), nullptr);
    auto* text = static_cast<CTextBox*>(Doc().GetObjects().GetTail());
    EXPECT_EQ(text->GetText(), "World");
}

// A gate letter the 7400 lacks, then a click on the sheet of another window or Ctrl+Tab: one
// refusal. OK goes on editing what was typed in the editor's own window, which stays active;
// Cancel ends the edit with the reference as it was, and the other window is turned to.
TEST_F(TextEditCommandsTest, ARefusedReferenceKeepsItsWindowUntilTheEditIsGivenUp) {
    PlaceGate();
    CDrawView* first = m_view;
    NewSheet();
    CDrawView* second = m_view;
    Run(ID_WINDOW_TILE_HORZ);
    m_view = first;
    m_view->setFocus();
    ASSERT_EQ(m_frame->ActiveChildFrame()->view(), first);
    const Bytes before = Saved();
    for (const bool click : {true, false}) {
        // The box gone, the desktop gives the program's window back its activation.
        const auto switchWindows = [&] {
            if (click)
                QTest::mouseClick(second->viewport(), Qt::LeftButton, Qt::NoModifier,
                                  second->viewport()->rect().center());
            else
                Press(Qt::Key_Tab, Qt::ControlModifier);
            QApplication::processEvents();
            m_frame->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame));
        };
        m_view->BeginTextEdit(m_reference);
        CInPlaceTextEdit* edit = m_view->TextEditor();
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, "U1E");
        {
            AnsweredBoxes boxes(QMessageBox::Ok);
            switchWindows();
            ASSERT_EQ(boxes.shown.size(), 1u) << click;
            EXPECT_EQ(boxes.shown[0].find("Error: Property value invalid - U1E\n"), 0u);
        }
        ASSERT_EQ(first->TextEditor(), edit) << click;
        EXPECT_EQ(edit->StoredText(), "U1E");
        EXPECT_EQ(m_frame->ActiveChildFrame()->view(), first) << click;
        EXPECT_TRUE(edit->hasFocus()) << click;
        if (click) {  // and so does a click on its own sheet beside the editor
            const QPoint beside(4, 4);
            ASSERT_FALSE(edit->geometry().contains(beside));
            AnsweredBoxes boxes(QMessageBox::Ok);
            QTest::mouseClick(first->viewport(), Qt::LeftButton, Qt::NoModifier, beside);
            QApplication::processEvents();
            EXPECT_EQ(boxes.shown.size(), 1u);
            ASSERT_EQ(first->TextEditor(), edit);
            m_frame->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame));
            EXPECT_TRUE(edit->hasFocus());
        }
        {
            AnsweredBoxes boxes(QMessageBox::Cancel);
            switchWindows();
            EXPECT_EQ(boxes.shown.size(), 1u) << click;
        }
        EXPECT_EQ(first->TextEditor(), nullptr) << click;
        EXPECT_EQ(m_reference->GetText(), "U1A");
        EXPECT_EQ(Saved(), before);
        EXPECT_EQ(m_frame->ActiveChildFrame()->view(), second) << click;
        // Back to the gate's window for the next way.
        first->setFocus();
        QApplication::processEvents();
        ASSERT_EQ(m_frame->ActiveChildFrame()->view(), first);
    }
}

// A new text typed, then a menu opened (by a click on its title, or Alt and its letter) and
// closed with Esc: nothing was chosen, the editor has the focus again and the typing goes on.
TEST_F(TextEditCommandsTest, AMenuClosedWithNothingChosenLeavesTheEditGoingOn) {
    PlaceGate();
    const Bytes before = Saved();
    const size_t steps = History().FillUndoList().size();
    m_view->BeginTextEdit(m_reference);
    CInPlaceTextEdit* edit = m_view->TextEditor();
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "U1E");
    QMenuBar* bar = m_frame->menuBar();
    QAction* editMenu = nullptr;
    for (QAction* title : bar->actions()) {
        if (title->text() == "&Edit")
            editMenu = title;
    }
    ASSERT_NE(editMenu, nullptr);
    for (const bool click : {true, false}) {
        testsupport::ScriptedPrompt prompt({});
        if (click) {
            QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                              bar->actionGeometry(editMenu).center());
        } else {
            Press(Qt::Key_E, Qt::AltModifier);
        }
        QApplication::processEvents();
        auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(open, nullptr) << click;
        EXPECT_EQ(open, editMenu->menu());
        QTest::keyClick(open, Qt::Key_Escape);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_TRUE(prompt.shown().empty()) << click;
        ASSERT_EQ(m_view->TextEditor(), edit) << click;
        EXPECT_TRUE(edit->hasFocus()) << click;
        EXPECT_EQ(edit->StoredText(), "U1E");
        EXPECT_EQ(History().FillUndoList().size(), steps);
    }
    QTest::keyClicks(edit, "x");
    EXPECT_EQ(edit->StoredText(), "U1Ex") << "the typing goes on";
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(m_view->TextEditor(), nullptr);
    EXPECT_EQ(Saved(), before);
}

// What the window shows of the sheet, as last painted, and the sheet painted afresh.
QImage Shown(QWidget& port) {
    QWidget* window = port.window();
    const QPoint at = port.mapTo(window, QPoint(0, 0));
    return window->screen()
        ->grabWindow(window->winId(), at.x(), at.y(), port.width(), port.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}
QImage Fresh(QWidget& port) {
    return port.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The gate's reference typed over in place: the pin numbers of the new gate are shown at once,
// as a fresh painting of the sheet shows them; after the undo, those of the old gate again.
TEST_F(TextEditCommandsTest, AReferenceTypedInPlaceRepaintsThePinNumbers) {
    PlaceGate();
    m_view->SetZoomFactor(2.0f);
    m_view->CenterOnPoint(POINT{0, 0});
    m_view->viewport()->repaint();
    QApplication::processEvents();
    const QImage before = Shown(*Port());
    ASSERT_EQ(before, Fresh(*Port()));
    m_view->BeginTextEdit(m_reference);
    CInPlaceTextEdit* edit = m_view->TextEditor();
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "U1C");
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_EQ(m_view->TextEditor(), nullptr);
    ASSERT_EQ(m_reference->GetText(), "U1C");
    QApplication::processEvents();
    EXPECT_NE(Shown(*Port()), before);
    EXPECT_EQ(Shown(*Port()), Fresh(*Port())) << "the screen is behind the sheet";
    m_view->setFocus();
    Undo();
    ASSERT_EQ(m_reference->GetText(), "U1A");
    QApplication::processEvents();
    EXPECT_EQ(Shown(*Port()), Fresh(*Port())) << "after the undo";
}

}  // namespace
