// A gesture lives in the window it began in. Whatever another window does (a key, a menu
// command, a switch of windows) ends it there first and touches no other sheet; a text edited
// in place is such a gesture, and so are the edits of the pickers, drops and Alt+Enter.

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <algorithm>
#include <string>

#include "gui/kit/PopupTarget.h"
#include "model/shapes/DrawPoly.h"
#include "model/text/AttrText.h"
#include "model/text/TextBox.h"
#include "shell/view/InPlaceTextEdit.h"
#include "shell/view/ToolLifeCycle.h"
#include "support/TestSupport.h"

namespace {

class GestureOwner : public ToolLifeCycle {
protected:
    // A rectangle drawn in the first sheet, then a second sheet turned to.
    void RectangleThenSecondSheet() {
        m_first = &Doc();
        Press(Qt::Key_R);
        Drag(CPoint(1000, -1000), CPoint(2000, -1500));
        m_firstDrawn = Saved();
        NewSheet();
    }
    // Ctrl+F6: the other window is turned to.
    void NextWindow() {
        Press(Qt::Key_F6, Qt::ControlModifier);
        TakeActiveView();
    }
    Bytes FirstBytes() const { return testsupport::DocumentBytes(*m_first); }

    CDrawDoc* m_first = nullptr;
    Bytes m_firstDrawn;
};

// A wire left following the mouse in the second sheet; back in the first, Esc. The first
// sheet keeps its rectangle and its step; the wire was finished where the mouse was.
TEST_F(GestureOwner, EscInAnotherWindowLeavesThatSheetAndFinishesTheWire) {
    RectangleThenSecondSheet();
    CDrawDoc& second = Doc();
    const Bytes secondStart = Saved();
    Press(Qt::Key_W);
    Click(CPoint(3000, -3000));
    MoveTo(CPoint(4000, -3500));
    NextWindow();
    ASSERT_EQ(&Doc(), m_first);
    Press(Qt::Key_Escape);
    EXPECT_EQ(FirstBytes(), m_firstDrawn);
    EXPECT_STREQ(m_first->GetUndoList().GetUndoName(), "add object");
    EXPECT_FALSE(AnyGestureOpen());
    ASSERT_EQ(second.GetObjects().GetCount(), 1);
    EXPECT_STREQ(second.GetUndoList().GetUndoName(), "add object");
    second.GetUndoList().Undo();
    EXPECT_EQ(testsupport::DocumentBytes(second), secondStart);
    EXPECT_TRUE(m_prompt.shown().empty());
}

// A wire end picked up in the second sheet; in the first, Esc or End Wire from the menu (which
// the first window does not offer). The wire is back as it was, and each sheet's history
// undoes to its first bytes without a message.
TEST_F(GestureOwner, AWireEndPickedUpInAnotherWindowIsPutBackBeforeEscOrEndWire) {
    for (const UINT command : {UINT(ID_CANCEL), UINT(ID_END_WIRE)}) {
        const std::size_t messages = m_prompt.shown().size();
        RectangleThenSecondSheet();
        CDrawDoc& second = Doc();
        Press(Qt::Key_W);
        Click(CPoint(3000, -3000));
        MoveTo(CPoint(4000, -3000));
        DoubleClick(CPoint(4000, -3000));
        const Bytes drawn = Saved();
        Press(Qt::Key_S);
        Click(CPoint(3500, -3000));
        Click(CPoint(3000, -3000));
        ASSERT_EQ(Shape(), kToolWireDrag);
        MoveTo(CPoint(2500, -3500));
        NextWindow();
        EXPECT_FALSE(m_frame->router().Update(ID_END_WIRE).enabled);
        Run(command);
        EXPECT_EQ(FirstBytes(), m_firstDrawn) << command;
        EXPECT_STREQ(m_first->GetUndoList().GetUndoName(), "add object") << command;
        EXPECT_EQ(testsupport::DocumentBytes(second), drawn) << command;
        EXPECT_TRUE(UndoAll()) << command;
        NextWindow();
        ASSERT_EQ(&Doc(), &second);
        EXPECT_TRUE(UndoAll()) << command;
        EXPECT_EQ(second.GetObjects().GetCount(), 0) << command;
        EXPECT_EQ(m_prompt.shown().size(), messages) << command;
        CloseWindowUnsaved();
        TakeActiveView();
        CloseWindowUnsaved();
        NewSheet();
    }
}

// A key that reaches a window while the gesture is open in another, without a switch between
// them, ends the gesture in its own window and acts on its own sheet only.
TEST_F(GestureOwner, AKeyInAnotherWindowEndsTheGestureWhereItLives) {
    RectangleThenSecondSheet();
    CDrawDoc& second = Doc();
    Press(Qt::Key_W);
    Click(CPoint(3000, -3000));
    MoveTo(CPoint(4000, -3500));
    auto* first = dynamic_cast<CDrawView*>(m_first->GetViews().front());
    ASSERT_NE(first, nullptr);
    QTest::keyClick(first, Qt::Key_Escape);
    EXPECT_EQ(FirstBytes(), m_firstDrawn);
    EXPECT_STREQ(m_first->GetUndoList().GetUndoName(), "add object");
    EXPECT_EQ(second.GetObjects().GetCount(), 1) << "the wire, finished where the mouse was";
    EXPECT_FALSE(AnyGestureOpen());
}

// Alt+Enter while a rectangle is being dragged: the rectangle is taken back and nothing is
// made at the cursor; with a polyline open, no vertex is added.
TEST_F(GestureOwner, AltEnterIsNoClickAtTheCursor) {
    const Bytes start = Saved();
    Press(Qt::Key_R);
    PressAt(CPoint(3000, -3000));
    MoveTo(CPoint(3500, -3500));
    Press(Qt::Key_Return, Qt::AltModifier);
    MoveTo(CPoint(4000, -4000));
    ReleaseAt(CPoint(4000, -4000));
    EXPECT_EQ(Saved(), start);
    EXPECT_FALSE(History().CanUndo());

    Run(ID_DRAW_POLYLINE);
    Click(CPoint(1000, -1000));
    MoveTo(CPoint(2000, -1000));
    Click(CPoint(2000, -1000));
    MoveTo(CPoint(2000, -2000));
    Press(Qt::Key_Return, Qt::AltModifier);
    ASSERT_EQ(Doc().GetObjects().GetCount(), 1);
    auto* poly = dynamic_cast<CDrawPoly*>(static_cast<CDrawObj*>(Doc().GetObjects().GetHead()));
    ASSERT_NE(poly, nullptr);
    EXPECT_EQ(poly->GetPointCount(), 3) << "the two clicks and the point at the mouse";
    EXPECT_FALSE(AnyGestureOpen());
}

// A picker's choice while a wire is drawn: the wire is finished first, then coloured; Esc
// then takes nothing back, and undo takes the colour, then the wire.
TEST_F(GestureOwner, APickersChoiceFinishesTheWireFirst) {
    const Bytes start = Saved();
    Press(Qt::Key_W);
    Click(CPoint(3000, -3000));
    MoveTo(CPoint(4000, -3500));
    m_view->ApplyColour(ID_LINE_COLOUR, ColourCode::kColour, RGB(255, 0, 0));
    EXPECT_FALSE(AnyGestureOpen());
    const Bytes coloured = Saved();
    Press(Qt::Key_Escape);
    EXPECT_EQ(Saved(), coloured);
    ASSERT_EQ(History().FillUndoList().size(), 2u);
    m_view->ApplyStyle(ID_LINE_WIDTH, 3);
    EXPECT_TRUE(UndoAll());
    EXPECT_EQ(Saved(), start);
}

// A file dropped while a wire is drawn: the wire is finished, then the file is embedded.
TEST_F(GestureOwner, ADropFinishesTheWireFirst) {
    testsupport::TempDir dir;
    testsupport::WriteFileText(dir / "notes.txt", "some notes");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString((dir / "notes.txt").string()))});
    Press(Qt::Key_W);
    Click(CPoint(3000, -3000));
    MoveTo(CPoint(4000, -3500));
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Port(), &enter);
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Port(), &drop);
    EXPECT_FALSE(AnyGestureOpen());
    EXPECT_EQ(History().FillUndoList().size(), 2u) << "the wire, then the embedded file";
    EXPECT_EQ(Doc().GetObjects().GetCount(), 2);
}

// ---------------------------------------------------------------------------------------------
// A text edited in place

class TextInPlace : public ToolLifeCycle {
protected:
    // A text box "Text" on the sheet, saved to a file.
    CTextBox* AddSavedText() {
        auto* text = new CTextBox(CRect(2000, -2000, 3000, -2400));
        text->SetDocument(&Doc());
        text->SetContentText("Text");
        text->RecalcLayout();
        Doc().GetObjects().AddTail(text);
        m_path = (m_dir / "text.sch").string();
        EXPECT_TRUE(Doc().OnSaveDocument(m_path.c_str()));
        Doc().SetPathName(m_path.c_str(), FALSE);
        Doc().SetModifiedFlag(FALSE);
        return text;
    }
    bool FileHolds(const std::string& text) const {
        const std::vector<unsigned char> bytes = testsupport::ReadFileBytes(m_path);
        return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
    }
    void Type(const char* text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    // A double click on the middle of the text opens the editor over it.
    void DoubleClickOn(const CDrawObj& text) {
        const CRect at = text.GetPosition();
        DoubleClick(CPoint((at.left + at.right) / 2, (at.top + at.bottom) / 2));
    }

    std::string m_path;
};

// Double-click, End, "World", Ctrl+S: the file holds what the editor showed. Then "!" and
// Ctrl+F4: the close question comes.
TEST_F(TextInPlace, SaveWritesTheTextBeingEditedAndClosingAsksFirst) {
    CTextBox* text = AddSavedText();
    DoubleClickOn(*text);
    ASSERT_NE(m_view->TextEditor(), nullptr);
    Press(Qt::Key_End);
    Type("World");
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(m_view->TextEditor(), nullptr);
    EXPECT_EQ(text->GetText(), "TextWorld");
    EXPECT_TRUE(FileHolds("TextWorld"));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_STREQ(History().GetUndoName(), "text edit");

    DoubleClickOn(*text);
    ASSERT_NE(m_view->TextEditor(), nullptr);
    Press(Qt::Key_End);
    Type("!");
    m_prompt.Answer(IDCANCEL);
    Press(Qt::Key_F4, Qt::ControlModifier);
    ASSERT_EQ(m_prompt.shown().size(), 1u);
    EXPECT_EQ(m_prompt.shown()[0].text, "Save changes to text.sch?");
    EXPECT_EQ(text->GetText(), "TextWorld!");
}

// T, a click, "Hello", Ctrl+S: the new text is saved as typed.
TEST_F(TextInPlace, ANewTextBeingTypedIsSaved) {
    AddSavedText();
    Press(Qt::Key_T);
    Click(CPoint(5000, -5000));
    ASSERT_NE(m_view->TextEditor(), nullptr);
    Press(Qt::Key_A, Qt::ControlModifier);
    Type("Hello");
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(FileHolds("Hello"));
    EXPECT_FALSE(Doc().IsModified());
}

// A part's reference edited in place, then Alt+Enter and Enter in Text Properties: the edit is
// a step of its own before the properties', and undoing everything gives back the sheet.
TEST_F(TextInPlace, AltEnterRecordsTheEditBeforeTheProperties) {
    CSymbol* part = AddPart(CPoint(3000, -3000));
    CAttrText* reference = part->ShowAttrText("_ID", TRUE);
    ASSERT_NE(reference, nullptr);
    Doc().GetObjects().AddTail(reference);
    const Bytes start = Saved();
    DoubleClickOn(*reference);
    ASSERT_NE(m_view->TextEditor(), nullptr);
    Press(Qt::Key_End);
    Type("ls");
    EXPECT_TRUE(AcceptPropertiesUntouched());
    EXPECT_EQ(m_view->TextEditor(), nullptr);
    EXPECT_EQ(part->GetAttr("_ID"), "U1ls");
    EXPECT_TRUE(UndoAll());
    EXPECT_EQ(Saved(), start);
}

}  // namespace
