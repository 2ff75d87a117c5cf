// A drawing tool's gesture ends before anything else changes the sheet: another tool, an undo
// or a redo, an edit of the selection, closing the window. Driven as the user drives the
// program: keys to the window with the focus, the mouse on the sheet.

#include <QApplication>
#include <QTimer>
#include <QToolBar>
#include <functional>
#include <string>
#include <vector>

#include "model/shapes/DrawPoly.h"
#include "shell/toolbar/DropDownButton.h"
#include "shell/toolbar/UndoListBox.h"
#include "shell/toolbar/UndoPopup.h"
#include "shell/view/InPlaceTextEdit.h"
#include "shell/view/ToolLifeCycle.h"

namespace {

// The free right-hand pin of the part at (3000, -3000).
const CPoint kPart(3000, -3000);
const CPoint kFreePin(3200, -3000);

// A new text typed in place; the Undo button's list dropped down. The list takes the focus,
// which ends the edit: the list shows the edit's step with the others, and Esc leaves them.
TEST_F(ToolLifeCycle, TheUndoListOpenedInATextEditShowsTheEditsStep) {
    Press(Qt::Key_T);
    Click(CPoint(2000, -2000));
    ASSERT_NE(m_view->TextEditor(), nullptr);
    QTest::keyClicks(m_view->TextEditor(), "ab");
    m_frame->UpdateCommandUI();
    auto* button = m_frame->toolbar(IDR_MAIN_TOOLBAR)
                       ->findChild<CDropDownButton*>(QString("dropDown%1").arg(ID_EDIT_UNDO));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());
    bool listShown = false;
    std::vector<std::string> shown;
    std::vector<std::string> steps;
    QTimer::singleShot(0, button, [&] {
        auto* popup = button->findChild<CUndoPopup*>();
        if (!popup || !popup->isVisible())
            return;
        listShown = true;
        CUndoListBox* list = popup->dialog()->list();
        for (int row = 0; row < list->count(); ++row)
            shown.push_back(list->item(row)->text().toStdString());
        for (const CString& step : History().FillUndoList())
            steps.push_back(step.str());
        QTest::keyClick(list, Qt::Key_Escape);
    });
    QTest::mouseClick(button, Qt::LeftButton, {}, button->ArrowRect().center());
    EXPECT_EQ(m_view->TextEditor(), nullptr);
    EXPECT_EQ(History().GetCount(), 2) << "the new text and its edit";
    ASSERT_TRUE(listShown) << "the Undo button's list did not drop down";
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown, steps);
}

// W, a click on a free pin and the wire following the mouse down; S; Ctrl+Z.
TEST_F(ToolLifeCycle, AWireLeftOpenForAnotherToolIsFinishedThenUndoneAndForgotten) {
    CSymbol* part = AddPart(kPart);
    const Bytes start = Saved();
    Press(Qt::Key_W);
    Click(kFreePin);
    MoveTo(CPoint(3500, -3600));
    Press(Qt::Key_S);
    EXPECT_EQ(Doc().GetObjects().GetCount(), 2) << "the wire is finished where the mouse was";
    EXPECT_STREQ(History().GetUndoName(), "add object");
    Undo();
    EXPECT_EQ(Saved(), start);
    EXPECT_FALSE(AnyGestureOpen());

    // W and a click on the same pin start a new wire on it; more clicks and Esc leave the sheet.
    Press(Qt::Key_W);
    Click(kFreePin);
    EXPECT_TRUE(Tools().FindTool(kToolWire)->HasOpenObject());
    auto* wire = dynamic_cast<CWire*>(static_cast<CDrawObj*>(Doc().GetObjects().GetTail()));
    EXPECT_TRUE(wire && wire->GetStartObject() == part->GetPins().GetTail());
    Click(CPoint(3600, -3800));
    Click(kFreePin);
    Press(Qt::Key_Escape);
    EXPECT_EQ(Saved(), start);
}

// The same, then a rectangle drawn and the window closed without saving.
TEST_F(ToolLifeCycle, AWireUndoneAfterAToolKeyLeavesNothingForTheClosingWindow) {
    AddPart(kPart);
    Press(Qt::Key_W);
    Click(kFreePin);
    MoveTo(CPoint(3500, -3600));
    Press(Qt::Key_S);
    Undo();
    Press(Qt::Key_R);
    Drag(CPoint(5000, -5000), CPoint(6000, -5500));
    EXPECT_EQ(Doc().GetObjects().GetCount(), 2);
    CloseWindowUnsaved();
}

// The toolbar's undo list undoes as Ctrl+Z does.
TEST_F(ToolLifeCycle, TheToolbarsUndoListEndsTheGestureFirst) {
    const Bytes start = Saved();
    Press(Qt::Key_W);
    Click(CPoint(3000, -3000));
    MoveTo(CPoint(4000, -3000));
    Click(CPoint(4000, -3000));
    MoveTo(CPoint(4000, -4000));
    m_view->UndoCommands(true, 1);
    EXPECT_EQ(Saved(), start);
    EXPECT_FALSE(AnyGestureOpen());
    EXPECT_FALSE(History().CanUndo());
}

// A wire left open in one window is finished before a tool is chosen or a press begins in
// another: nothing of the second window's clicks lands on the first sheet.
TEST_F(ToolLifeCycle, AGestureOpenInAnotherWindowEndsFirst) {
    CDrawDoc& first = Doc();
    Press(Qt::Key_W);
    Click(CPoint(3000, -3000));
    MoveTo(CPoint(4000, -3000));
    NewSheet();
    Press(Qt::Key_R);
    EXPECT_FALSE(AnyGestureOpen());
    ASSERT_EQ(first.GetObjects().GetCount(), 1);
    auto* wire = static_cast<CWire*>(first.GetObjects().GetHead());
    EXPECT_EQ(wire->GetPointCount(), 2);
    EXPECT_EQ(wire->GetPoint(1), CPoint(4000, -3000));
    const Bytes firstSheet = testsupport::DocumentBytes(first);
    Press(Qt::Key_W);
    Click(CPoint(1000, -1000));
    Click(CPoint(2000, -1000));
    Press(Qt::Key_Escape);
    EXPECT_EQ(testsupport::DocumentBytes(first), firstSheet);
}

// Closing the symbol editor writes the symbol back as drawn: a polygon still open is finished
// first, without the point that follows the mouse.
TEST_F(ToolLifeCycle, TheSymbolEditorWritesBackAPolygonFinished) {
    CDrawDoc& schematic = Doc();
    Run(ID_EDIT_CREATE_SYMBOL);
    TakeActiveView();
    ASSERT_NE(&Doc(), &schematic);
    Press(Qt::Key_P);
    Click(CPoint(1000, -1000));
    MoveTo(CPoint(2000, -1000));
    Click(CPoint(2000, -1000));
    Run(ID_SYMBOL_CLOSE_EDITOR);
    QApplication::processEvents();
    m_view = nullptr;
    auto* symbol = dynamic_cast<CSymbol*>(static_cast<CDrawObj*>(schematic.GetObjects().GetTail()));
    ASSERT_NE(symbol, nullptr);
    ASSERT_EQ(symbol->GetGraphics().GetCount(), 1);
    auto* poly = dynamic_cast<CDrawPoly*>(static_cast<CDrawObj*>(symbol->GetGraphics().GetHead()));
    ASSERT_NE(poly, nullptr);
    EXPECT_EQ(poly->GetPointCount(), 2);
}

// A new sheet: a wire drawn by clicks, ended by a double click; with the select tool a click
// on it and one without moving on its end at (3.0", 3.0"), which picks the end up.
class WireEndPickedUp : public ToolLifeCycle {
protected:
    void SetUp() override {
        ToolLifeCycle::SetUp();
        Press(Qt::Key_W);
        Click(CPoint(3000, -3000));
        MoveTo(CPoint(4000, -3000));
        Click(CPoint(4000, -3000));
        MoveTo(CPoint(4000, -3500));
        DoubleClick(CPoint(4000, -3500));
        ASSERT_EQ(Doc().GetObjects().GetCount(), 1);
        m_drawn = Saved();
        Press(Qt::Key_S);
        Click(CPoint(3500, -3000));
        Click(CPoint(3000, -3000));
        ASSERT_EQ(Shape(), kToolWireDrag);
    }
    Bytes m_drawn;
};

TEST_F(WireEndPickedUp, AToolKeyPutsTheWireBackAsItWasAndUndoTakesItAway) {
    for (const Qt::Key key : {Qt::Key_S, Qt::Key_L}) {
        Press(key);
        EXPECT_EQ(Saved(), m_drawn) << "no reversed wire, no points off the grid";
        EXPECT_FALSE(AnyGestureOpen());
        Press(Qt::Key_S);
        Click(CPoint(3000, -3000));
    }
    Press(Qt::Key_S);
    Undo();
    EXPECT_EQ(Doc().GetObjects().GetCount(), 0);
    EXPECT_FALSE(History().CanUndo());
}

// What is saved is the wire as it was, not the copy being dragged with its end following the
// mouse.
TEST_F(WireEndPickedUp, ASaveWritesTheWireAsItWas) {
    MoveTo(CPoint(2000, -2500));
    const std::string path = (m_dir / "picked.sch").string();
    ASSERT_TRUE(Doc().OnSaveDocument(path.c_str()));
    EXPECT_EQ(Saved(), m_drawn);
    EXPECT_FALSE(AnyGestureOpen());
}

TEST_F(WireEndPickedUp, DeleteAndClosingTheWindowWithoutSavingEndTheDrag) {
    Press(Qt::Key_Delete);
    EXPECT_EQ(Doc().GetObjects().GetCount(), 0);
    EXPECT_FALSE(AnyGestureOpen());
    Undo();
    EXPECT_EQ(Saved(), m_drawn);
    Press(Qt::Key_Delete);
    CloseWindowUnsaved();
}

// The wire tool continues a wire from its free end; a tool key then leaves earlier steps
// undoable.
TEST_F(ToolLifeCycle, AWireContinuedFromItsFreeEndThenAToolKeyLeavesEarlierStepsUndoable) {
    const Bytes start = Saved();
    Press(Qt::Key_R);
    Drag(CPoint(1000, -1000), CPoint(1500, -1500));
    Press(Qt::Key_W);
    Click(CPoint(3000, -3000));
    MoveTo(CPoint(4000, -3000));
    Click(CPoint(4000, -3000));
    Press(Qt::Key_S);
    Press(Qt::Key_W);
    Click(CPoint(4000, -3000));
    ASSERT_EQ(Shape(), kToolWireDrag);
    MoveTo(CPoint(4000, -4000));
    Press(Qt::Key_L);
    EXPECT_TRUE(UndoAll());
    EXPECT_EQ(Saved(), start);
}

// A round rectangle dragged while W is pressed, then edited, undone, deleted and another
// rectangle drawn: the drag of the first is over before any of it.
TEST_F(ToolLifeCycle, ASelectDragEndsWhenAToolKeyIsPressedInIt) {
    const Bytes start = Saved();
    Press(Qt::Key_N);
    Drag(CPoint(2000, -2000), CPoint(3000, -2600));
    Press(Qt::Key_S);
    for (int i = 0; i < 8; ++i)
        Undo();
    for (int i = 0; i < 4; ++i)
        Redo();
    ASSERT_EQ(Doc().GetObjects().GetCount(), 1);
    PressAt(CPoint(2000, -2300));
    MoveTo(CPoint(2200, -2500));
    MoveTo(CPoint(2400, -2700));
    ASSERT_TRUE(Tools().SelectTool().IsDragging());
    Press(Qt::Key_W);
    EXPECT_FALSE(Tools().SelectTool().IsDragging());
    ReleaseAt(CPoint(2400, -2700));
    Press(Qt::Key_Escape);
    Press(Qt::Key_S);
    Click(CPoint(2000, -2300));
    // Alt+Enter opens the properties; Enter takes them untouched.
    EXPECT_TRUE(AcceptPropertiesUntouched());
    for (int i = 0; i < 6; ++i)
        Undo();
    Drag(CPoint(2000, -2300), CPoint(2100, -2400));
    Click(CPoint(2100, -2400));
    Press(Qt::Key_Delete);
    Press(Qt::Key_R);
    Drag(CPoint(5000, -5000), CPoint(6000, -5500));
    MoveTo(CPoint(6500, -6000));
    EXPECT_TRUE(UndoAll());
    EXPECT_EQ(Saved(), start);
}

// A polygon left open for another tool, undone, more shapes and another polygon.
TEST_F(ToolLifeCycle, APolygonLeftOpenForAnotherToolIsFinishedAndForgotten) {
    const Bytes start = Saved();
    Press(Qt::Key_P);
    Click(CPoint(1000, -1000));
    MoveTo(CPoint(2000, -1000));
    Click(CPoint(2000, -1000));
    MoveTo(CPoint(2000, -2000));
    Press(Qt::Key_R);
    EXPECT_FALSE(AnyGestureOpen());
    Undo();
    EXPECT_EQ(Saved(), start);
    Drag(CPoint(4000, -4000), CPoint(5000, -4500));
    Press(Qt::Key_P);
    MoveTo(CPoint(3000, -3000));
    Click(CPoint(3000, -3000));
    MoveTo(CPoint(3500, -3000));
    Click(CPoint(3500, -3000));
    MoveTo(CPoint(3500, -3500));
    DoubleClick(CPoint(3500, -3500));
    MoveTo(CPoint(3000, -4000));
    EXPECT_EQ(Doc().GetObjects().GetCount(), 2);
    EXPECT_TRUE(UndoAll());
    EXPECT_EQ(Saved(), start);
}

// ---------------------------------------------------------------------------------------------
// Every tool's gesture, ended each way

class EveryGesture : public ToolLifeCycle {
protected:
    // A box, a wire and a part on the sheet as opened, for the gestures that need them; then
    // two boxes added, the second undone, so that there is a step to undo and one to redo.
    // The sheet as opened, before the two steps.
    Bytes Furnish() {
        AddBox(CRect(1000, -1000, 1600, -1400));
        AddWire(CPoint(2000, -5000), CPoint(3000, -5000));
        AddPart(kPart);
        const Bytes opened = Saved();
        for (const LONG x : {8000, 9000})
            EXPECT_TRUE(
                Doc().AddObject(std::make_unique<CDrawRect>(CRect(x, -500, x + 400, -700))));
        History().Undo();
        return opened;
    }
    void ShapeSizing(Qt::Key key) {
        Press(key);
        PressAt(CPoint(5000, -2000));
        MoveTo(CPoint(5500, -2300));
        MoveTo(CPoint(6000, -2600));
    }
    void PointByPoint(Qt::Key key) {
        Press(key);
        Click(CPoint(5000, -2000));
        MoveTo(CPoint(6000, -2000));
        Click(CPoint(6000, -2000));
        MoveTo(CPoint(6000, -3000));
    }
    void Polyline() {
        Run(ID_DRAW_POLYLINE);
        Click(CPoint(5000, -2000));
        MoveTo(CPoint(6000, -2000));
        Click(CPoint(6000, -2000));
        MoveTo(CPoint(6000, -3000));
    }
    void WireDrag() {
        Press(Qt::Key_S);
        Click(CPoint(2500, -5000));
        Click(CPoint(2000, -5000));
        MoveTo(CPoint(1500, -5500));
    }
    void SelectDrag() {
        Press(Qt::Key_S);
        PressAt(CPoint(1300, -1200));
        MoveTo(CPoint(1600, -1500));
        MoveTo(CPoint(2000, -1800));
    }
    void Place() {
        CDrawRect box(CRect(0, 0, 400, -200));
        CObList objects;
        objects.AddTail(&box);
        ASSERT_TRUE(m_view->PlaceObjects(objects));
        MoveTo(CPoint(7000, -4000));
    }
    void ZoomRectangle() {
        Run(ID_ZOOM_AREA);
        PressAt(CPoint(5000, -2000));
        MoveTo(CPoint(6000, -3000));
    }
};

using Steps = std::vector<std::pair<const char*, std::function<void()>>>;

// Each gesture in a new sheet of its own, ended by each of the ways; then the select tool and
// every step undone give back the sheet as it was.
TEST_F(EveryGesture, EndsBeforeAToolKeyAToolButtonAnUndoARedoOrTheWindowClosing) {
    const Steps gestures = {{"line", [this] { ShapeSizing(Qt::Key_L); }},
                            {"rectangle", [this] { ShapeSizing(Qt::Key_R); }},
                            {"round rectangle", [this] { ShapeSizing(Qt::Key_N); }},
                            {"ellipse", [this] { ShapeSizing(Qt::Key_E); }},
                            {"arc", [this] { ShapeSizing(Qt::Key_A); }},
                            {"polygon", [this] { PointByPoint(Qt::Key_P); }},
                            {"bezier", [this] { PointByPoint(Qt::Key_Z); }},
                            {"polyline", [this] { Polyline(); }},
                            {"wire", [this] { PointByPoint(Qt::Key_W); }},
                            {"bus", [this] { PointByPoint(Qt::Key_B); }},
                            {"wire drag", [this] { WireDrag(); }},
                            {"select drag", [this] { SelectDrag(); }},
                            {"place", [this] { Place(); }},
                            {"zoom", [this] { ZoomRectangle(); }}};
    const Steps endings = {{"tool key", [] { Press(Qt::Key_L); }},
                           {"tool button", [this] { Run(ID_DRAW_ELLIPSE); }},
                           {"undo", [this] { Undo(); }},
                           {"redo", [this] { Redo(); }},
                           {"window closed", [this] { CloseWindowUnsaved(); }}};
    for (const auto& [gesture, open] : gestures) {
        for (const auto& [ending, end] : endings) {
            const std::string what = std::string(gesture) + ", " + ending;
            // While placing, the keys turn and mirror what is carried.
            if (what == "place, tool key")
                continue;
            NewSheet();
            const Bytes opened = Furnish();
            const Bytes start = Saved();
            open();
            EXPECT_TRUE(AnyGestureOpen() || Shape() == kToolZoom) << what;
            // A gesture that records its object drops the step to redo.
            const bool recorded = !History().CanRedo();
            const bool undo = std::string(ending) == "undo";
            const bool redo = std::string(ending) == "redo";
            // As when the program is idle: the menus and keys learn what can be done.
            m_frame->UpdateCommandUI();
            end();
            if (!m_view)
                continue;
            if (redo && recorded) {
                EXPECT_TRUE(AnyGestureOpen() || Shape() == kToolZoom)
                    << what << ": nothing to redo";
                Press(Qt::Key_Escape);
            }
            ReleaseAt(CPoint(6000, -3000));
            EXPECT_FALSE(AnyGestureOpen()) << what;
            if (undo) {
                EXPECT_EQ(Saved(), recorded ? start : opened)
                    << what << ": the undo takes the gesture's object away, else the step before";
            }
            Press(Qt::Key_S);
            EXPECT_TRUE(UndoAll()) << what;
            EXPECT_EQ(Saved(), opened) << what;
            CloseWindowUnsaved();
        }
    }
}

}  // namespace
