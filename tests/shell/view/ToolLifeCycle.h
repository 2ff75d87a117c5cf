#pragma once
// The running program's window driven as the user drives it, for the tests of drawing
// gestures: keys to the window with the focus, the mouse on the sheet, the sheet's bytes.

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <memory>
#include <vector>

#include "drawtools/PlaceTool.h"
#include "drawtools/SelectTool.h"
#include "drawtools/ToolManager.h"
#include "drawtools/WireDragTool.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/undo/UndoList.h"
#include "resources/CommandIds.h"
#include "shell/frames/ChildFrame.h"
#include "shell/support/AppFixture.h"
#include "shell/view/DrawView.h"
#include "support/DocumentBytes.h"

using Bytes = std::vector<BYTE>;

class ToolLifeCycle : public AppFixture {
protected:
    void SetUp() override {
        m_app = StartActive();
        ASSERT_TRUE(m_started);
        m_frame = m_app->MainFrame();
        TakeActiveView();
    }
    void TearDown() override {
        for (CDocumentBase* document : m_app->Documents().Documents())
            document->SetModifiedFlag(FALSE);
        EXPECT_TRUE(Close(*m_app));
    }

    void TakeActiveView() {
        CChildFrame* child = m_frame->ActiveChildFrame();
        m_view = child ? qobject_cast<CDrawView*>(child->view()) : nullptr;
        ASSERT_NE(m_view, nullptr);
        m_view->setFocus();
    }
    CDrawDoc& Doc() { return m_view->GetDocument(); }
    CUndoList& History() { return Doc().GetUndoList(); }
    Bytes Saved() { return testsupport::DocumentBytes(Doc()); }
    static ToolManager& Tools() { return *GetToolManager(); }
    static int Shape() { return Tools().state.currentShape; }

    QWidget* Port() const { return m_view->viewport(); }
    QPoint At(CPoint sheet) const {
        const CPoint pixel = m_view->DocToClient(sheet);
        return QPoint(pixel.x, pixel.y);
    }
    void Click(CPoint sheet) {
        QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, At(sheet));
    }
    void DoubleClick(CPoint sheet) {
        QTest::mouseDClick(Port(), Qt::LeftButton, Qt::NoModifier, At(sheet));
    }
    // A move to where the cursor already is would reach no window: it comes from beside.
    void MoveTo(CPoint sheet) {
        QTest::mouseMove(Port(), At(sheet) + QPoint(1, 1));
        QTest::mouseMove(Port(), At(sheet));
    }
    void PressAt(CPoint sheet) {
        QTest::mousePress(Port(), Qt::LeftButton, Qt::NoModifier, At(sheet));
    }
    void ReleaseAt(CPoint sheet) {
        QTest::mouseRelease(Port(), Qt::LeftButton, Qt::NoModifier, At(sheet));
    }
    void Drag(CPoint from, CPoint to) {
        PressAt(from);
        MoveTo(CPoint((from.x + to.x) / 2, (from.y + to.y) / 2));
        MoveTo(to);
        ReleaseAt(to);
    }
    // Alt+Enter opens the properties and Enter takes them untouched; then the sheet has the keys
    // again. Whether the sheet was accepted.
    bool AcceptPropertiesUntouched() {
        bool accepted = false;
        QTimer::singleShot(0, [&accepted] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                QTest::keyClick(dialog, Qt::Key_Return);
                accepted = dialog->result() == QDialog::Accepted;
            }
        });
        Press(Qt::Key_Return, Qt::AltModifier);
        m_frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_frame));
        m_view->setFocus();
        return accepted;
    }
    void Undo() { Press(Qt::Key_Z, Qt::ControlModifier); }
    void Redo() { Press(Qt::Key_Y, Qt::ControlModifier); }
    // Undoes every step; false when the history did not run out (an undo stuck).
    bool UndoAll() {
        for (int i = 0; i < 20 && History().CanUndo(); ++i)
            Undo();
        return !History().CanUndo();
    }
    void Run(UINT id) { m_frame->ExecuteCommand(id); }
    // Closes the active window as Ctrl+F4 does, answering No to saving it.
    void CloseWindowUnsaved() {
        if (Doc().IsModified())
            m_prompt.Answer(IDNO);
        const int windows = WindowCount(*m_app);
        m_view = nullptr;
        Press(Qt::Key_F4, Qt::ControlModifier);
        EXPECT_EQ(WindowCount(*m_app), windows - 1);
    }
    // A new sheet in a window of its own.
    void NewSheet() {
        Run(ID_FILE_NEW);
        TakeActiveView();
    }

    // A part of two pins, left (hot end at at - 200) and right (at + 200), put on the sheet as
    // it was opened: no step records it.
    CSymbol* AddPart(CPoint at) {
        auto* symbol = new CSymbol();
        symbol->SetDocument(&Doc());
        symbol->SetFlags(kSymbolDefaultFlags, ~DWORD{0});
        symbol->SetAttr("_ID", "U1", kSetAttrForce);
        symbol->GetGraphics().AddTail(new CDrawRect(CRect(-100, 100, 100, -100)));
        for (const int side : {-1, 1}) {
            auto* pin = new CPin(symbol);
            pin->SetEnds(CPoint(side * 100, 0), CPoint(side * 200, 0));
            pin->SetAttr("_ID", side < 0 ? "1" : "2", kSetAttrForce);
            symbol->GetPins().AddTail(pin);
        }
        const double matrix[6] = {1, 0, double(at.x), 0, 1, double(at.y)};
        symbol->SetMatrix(matrix);
        symbol->RecalcBounds(nullptr);
        Doc().GetObjects().AddTail(symbol);
        return symbol;
    }
    // A wire or a box on the sheet as it was opened.
    CWire* AddWire(CPoint from, CPoint to) {
        auto* wire = new CWire;
        wire->AddPoint(from);
        wire->AddPoint(to);
        wire->SetDocument(&Doc());
        auto* net = new CNet("N1");
        net->AddRef();
        if (CNet* old = wire->SetNet(net))
            old->Release();
        wire->RecalcBounds(nullptr);
        Doc().GetObjects().AddTail(wire);
        return wire;
    }
    void AddBox(const CRect& rect) {
        auto* box = new CDrawRect(rect);
        box->SetDocument(&Doc());
        box->SetFlags(kFlagFilled, kFlagFilled);
        Doc().GetObjects().AddTail(box);
    }

    // Whether some tool still holds a gesture of the view.
    bool AnyGestureOpen() const {
        ToolManager& tools = Tools();
        for (int shape = kToolSelect; shape <= kToolDoubleArrowLine; ++shape) {
            if (tools.FindTool(shape) && tools.FindTool(shape)->HasOpenObject())
                return true;
        }
        return tools.SelectTool().IsDragging() || tools.WireDragTool().PickedUp() ||
               (m_view && tools.PlaceTool().IsPlacingIn(*m_view)) ||
               tools.state.selectMode != kSelectNone;
    }

    std::unique_ptr<CSchematicQtApp> m_app;
    CMainFrame* m_frame = nullptr;
    CDrawView* m_view = nullptr;
};
