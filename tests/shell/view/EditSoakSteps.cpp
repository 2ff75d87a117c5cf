// The soak's steps, made of the mouse and key events of a user's gestures.

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QTest>
#include <algorithm>

#include "drawtools/DrawTool.h"
#include "drawtools/ToolManager.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/undo/UndoList.h"
#include "resources/CommandIds.h"
#include "shell/app/SchematicQtApp.h"
#include "shell/frames/MainFrame.h"
#include "shell/view/DrawView.h"
#include "shell/view/EditSoak.h"
#include "shell/view/InPlaceTextEdit.h"

namespace {

// The keys of the Draw menu's tools.
constexpr Qt::Key kToolKeys[] = {Qt::Key_S, Qt::Key_W, Qt::Key_B, Qt::Key_L, Qt::Key_R, Qt::Key_N,
                                 Qt::Key_E, Qt::Key_A, Qt::Key_P, Qt::Key_Z, Qt::Key_T};

std::string KeyName(int key) {
    return QKeySequence(key).toString().toStdString();
}

}  // namespace

void EditSoak::Step() {
    if (!m_view->TextEditor())
        m_view->setFocus();
    m_commandsStale = true;
    switch (NextStepKind()) {
        case 0:
        case 1:
            return Edit("move", [this] { DragSelection(); });
        case 2:
            return Edit("rotate or mirror", [this] { TransformSelection(); });
        case 3:
            return Edit("delete", [this] { DeleteSelection(); });
        case 4:
            return Edit("copy and paste", [this] { CopyAndPaste(); });
        case 5:
        case 6:
            return Edit("draw a wire", [this] { DrawWire(); });
        case 7:
            return Edit("pick up a wire end", [this] { PickUpWireEnd(); });
        case 8:
            return Edit("draw a shape", [this] { DrawShape(); });
        case 9:
            return Edit("draw a polygon", [this] { DrawPolygon(); });
        case 10:
            return Edit("type a text", [this] { TypeText(); });
        case 11:
        case 12:
            return AcceptPropertiesUntouched();
        case 13:
            return Edit("align", [this] { AlignSelection(); });
        case 14:
        case 15:
            // Undone too far now and then, and partly redone.
            UndoRun(true);
            if (Pick(2) == 0)
                UndoRun(false);
            return;
        default:
            return UndoRun(false);
    }
}

// The kinds come in random order, each with its weight in every round of kStepChoices steps, so
// that a short soak sees every kind.
int EditSoak::NextStepKind() {
    if (m_round.empty()) {
        for (int kind = 0; kind < kStepChoices; ++kind)
            m_round.push_back(kind);
        std::shuffle(m_round.begin(), m_round.end(), m_random);
    }
    const int kind = m_round.back();
    m_round.pop_back();
    return kind;
}

// ---------------------------------------------------------------------------------------------
// Edits of the selection

// The selection is dragged by one of its objects other than a wire, when it has one (the
// whole selection moves); a wire is dragged by a segment (it is rerouted). Now and then a tool
// key comes before the button's release.
void EditSoak::DragSelection() {
    SelectSome(3);
    std::vector<CDrawObj*> grips;
    for (CDrawObj* object : Selection()) {
        if (object->GetObjType() != kObjWire && object->GetObjType() != kObjBus)
            grips.push_back(object);
    }
    const std::vector<CDrawObj*> selection = Selection();
    CDrawObj* grabbed = !grips.empty()      ? grips[Pick(grips.size())]
                        : selection.empty() ? nullptr
                                            : selection.back();
    if (!grabbed)
        return;
    CPoint grab;
    if (auto* wire = dynamic_cast<CWire*>(grabbed); wire && wire->GetPointCount() >= 2) {
        const int segment = Between(0, wire->GetPointCount() - 2);
        const CPoint a = wire->GetPoint(segment);
        const CPoint b = wire->GetPoint(segment + 1);
        grab = CPoint((a.x + b.x) / 2, (a.y + b.y) / 2);
    } else {
        CRect box = grabbed->GetPosition();
        box.NormalizeRect();
        grab = box.CenterPoint();
        grabbed->LocalToDoc(&grab, 1);
    }
    const CPoint to(grab.x + Between(-3, 3) * 100, grab.y + Between(-3, 3) * 100);
    Log("drag from " + Describe(grab) + " to " + Describe(to));
    QTest::mousePress(Port(), Qt::LeftButton, Qt::NoModifier, Pixel(grab));
    QTest::mouseMove(Port(), (Pixel(grab) + Pixel(to)) / 2);
    QTest::mouseMove(Port(), Pixel(to));
    if (Pick(3) == 0)
        PressToolKey();
    QTest::mouseRelease(Port(), Qt::LeftButton, Qt::NoModifier, Pixel(to));
    // A press on the end of the selected wire picked the end up: it follows the mouse until
    // the gesture ends.
    if (GetToolManager()->CurrentTool()->HasOpenObject()) {
        Log("the wire's end was picked up");
        EndOpenGesture(Pixel(to), [this, to] { DoubleClick(Pixel(to)); });
    }
}

void EditSoak::TransformSelection() {
    static constexpr UINT kTransforms[] = {ID_EDIT_ROTATE_90, ID_EDIT_ROTATE_MINUS_90,
                                           ID_EDIT_MIRROR_HORZ, ID_EDIT_MIRROR_VERT};
    static constexpr const char* kNames[] = {"rotate 90", "rotate -90", "mirror horizontally",
                                             "mirror vertically"};
    SelectSome(3);
    const std::size_t which = Pick(4);
    Log(std::string(kNames[which]) + " objects " + SelectionText());
    Command(kTransforms[which]);
}

void EditSoak::DeleteSelection() {
    SelectSome(2);
    Log("Del on objects " + SelectionText());
    Press(Qt::Key_Delete);
}

void EditSoak::AlignSelection() {
    static constexpr UINT kAligns[] = {ID_ALIGN_TOP,  ID_ALIGN_VERTICAL,   ID_ALIGN_BOTTOM,
                                       ID_ALIGN_LEFT, ID_ALIGN_HORIZONTAL, ID_ALIGN_RIGHT};
    static constexpr const char* kNames[] = {"top",  "vertical centre",   "bottom",
                                             "left", "horizontal centre", "right"};
    SelectSome(4);
    const std::size_t which = Pick(6);
    Log(std::string("align ") + kNames[which] + " objects " + SelectionText());
    Command(kAligns[which]);
}

// Ctrl+C now and then, and Ctrl+V, on the sheet with the clipboard empty, holding a text or
// what was copied; what the paste carries is placed.
void EditSoak::CopyAndPaste() {
    SelectSome(3);
    SetClipboard();
    if (Pick(2) == 0) {
        Log("Ctrl+C on objects " + SelectionText());
        const std::vector<CDrawObj*> copied = Selection();
        m_pinsCopied = !copied.empty() && std::all_of(copied.begin(), copied.end(), [](auto* o) {
            return o->GetObjType() == kObjPin;
        });
        Press(Qt::Key_C, Qt::ControlModifier);
    }
    Log("Ctrl+V");
    // A schematic takes no loose pins: pasting nothing else says so.
    m_expectedMessage = m_pinsCopied ? "Add object failed" : "";
    Press(Qt::Key_V, Qt::ControlModifier);
    CheckWindows("Ctrl+V");
    m_expectedMessage.clear();
    if (GetToolManager()->state.currentShape == kToolPlace)
        Place();
}

// The carried objects follow the mouse; a Ctrl+click drops them, Esc or a double click takes
// them away, or another tool's key or undo and redo come in between.
void EditSoak::Place() {
    const QPoint at = Pixel(RandomPoint());
    MoveTo(at);
    switch (Pick(5)) {
        case 0:
        case 1:
            Log("Ctrl+click");
            return Click(at, Qt::ControlModifier);
        case 2:
            Log("Esc");
            return Press(Qt::Key_Escape);
        case 3:
            return PressToolKey();
        default:
            Log("Ctrl+Z and Ctrl+Y");
            Press(Qt::Key_Z, Qt::ControlModifier);
            return Press(Qt::Key_Y, Qt::ControlModifier);
    }
}

// ---------------------------------------------------------------------------------------------
// Drawing

// W (or B) and a click on a free pin, on a wire or on the empty sheet, a few more clicks, and
// an end: on a free pin, or as a user ends or leaves an open wire.
void EditSoak::DrawWire() {
    const bool bus = Pick(5) == 0;
    Log(bus ? "B" : "W");
    Press(bus ? Qt::Key_B : Qt::Key_W);
    CPoint start = RandomPoint();
    const std::vector<CDrawObj*> wires = ObjectsOfType({kObjWire, kObjBus});
    if (CPin* pin = FreePin(); pin && Pick(2) == 0) {
        start = pin->GetConnectPoint();
    } else if (!wires.empty() && Pick(3) == 0) {
        const auto* wire = static_cast<CWire*>(wires[Pick(wires.size())]);
        start = wire->GetPoint(Between(0, wire->GetPointCount() - 1));
    }
    Log("click at " + Describe(start));
    MoveTo(Pixel(start));
    Click(Pixel(start));
    for (int i = Between(0, 2); i > 0; --i) {
        const CPoint bend = RandomPoint();
        Log("click at " + Describe(bend));
        MoveTo(Pixel(bend));
        Click(Pixel(bend));
    }
    CPin* end = FreePin();
    const CPoint last = end ? end->GetConnectPoint() : RandomPoint();
    MoveTo(Pixel(last));
    EndOpenGesture(Pixel(last), [this, end, last] {
        Log(end ? "click on the pin at " + Describe(last) : "double click");
        end ? Click(Pixel(last)) : DoubleClick(Pixel(last));
    });
}

// A free end of a wire or bus picked up by a click with the select tool (the wire selected
// first) or with its drawing tool, then moved and ended or left as a wire is.
void EditSoak::PickUpWireEnd() {
    const std::vector<CDrawObj*> wires = WiresWithAFreeEnd();
    if (wires.empty())
        return;
    auto* wire = static_cast<CWire*>(wires[Pick(wires.size())]);
    const bool atStart = !wire->GetStartObject() && (wire->GetEndObject() || Pick(2) == 0);
    const CPoint end = atStart ? wire->GetPoint(0) : wire->GetPoint(wire->GetPointCount() - 1);
    if (Pick(2) == 0) {
        m_view->Select(wire);
        Log("select the wire, click on its end at " + Describe(end));
    } else {
        const bool bus = wire->GetObjType() == kObjBus;
        Press(bus ? Qt::Key_B : Qt::Key_W);
        Log(std::string(bus ? "B" : "W") + ", click on the end at " + Describe(end));
    }
    MoveTo(Pixel(end));
    Click(Pixel(end));
    for (int i = Between(0, 2); i > 0; --i) {
        const CPoint to = RandomPoint();
        MoveTo(Pixel(to));
        if (Pick(2) == 0) {
            Log("click at " + Describe(to));
            Click(Pixel(to));
        }
    }
    CPin* pin = FreePin();
    const CPoint last = pin ? pin->GetConnectPoint() : RandomPoint();
    MoveTo(Pixel(last));
    EndOpenGesture(Pixel(last), [this, pin, last] {
        Log(pin ? "click on the pin at " + Describe(last) : "double click");
        pin ? Click(Pixel(last)) : DoubleClick(Pixel(last));
    });
}

// A line, rectangle, round rectangle, ellipse or arc: a click, or a drag in which a tool key,
// Esc, or undo and redo may come before the release.
void EditSoak::DrawShape() {
    static constexpr Qt::Key kShapes[] = {Qt::Key_L, Qt::Key_R, Qt::Key_N, Qt::Key_E, Qt::Key_A};
    const Qt::Key key = kShapes[Pick(5)];
    const CPoint from = RandomPoint();
    const CPoint to =
        Pick(4) == 0 ? from : CPoint(from.x + Between(-6, 6) * 100, from.y + Between(-6, 6) * 100);
    Log(KeyName(key) + ", drag from " + Describe(from) + " to " + Describe(to));
    Press(key);
    MoveTo(Pixel(from));
    QTest::mousePress(Port(), Qt::LeftButton, Qt::NoModifier, Pixel(from));
    QTest::mouseMove(Port(), (Pixel(from) + Pixel(to)) / 2);
    QTest::mouseMove(Port(), Pixel(to));
    switch (Pick(6)) {
        case 0:
            PressToolKey();
            break;
        case 1:
            Log("Esc");
            Press(Qt::Key_Escape);
            break;
        case 2:
            Log("Ctrl+Z and Ctrl+Y");
            Press(Qt::Key_Z, Qt::ControlModifier);
            Press(Qt::Key_Y, Qt::ControlModifier);
            break;
        default:
            break;
    }
    QTest::mouseRelease(Port(), Qt::LeftButton, Qt::NoModifier, Pixel(to));
}

// A polygon or Bezier curve click by click, closed on its first point or ended or left as a
// user does.
void EditSoak::DrawPolygon() {
    const bool bezier = Pick(3) == 0;
    Press(bezier ? Qt::Key_Z : Qt::Key_P);
    const CPoint first = RandomPoint();
    Log(std::string(bezier ? "Z" : "P") + ", click at " + Describe(first));
    MoveTo(Pixel(first));
    Click(Pixel(first));
    for (int i = Between(1, 3); i > 0; --i) {
        const CPoint to = RandomPoint();
        Log("click at " + Describe(to));
        MoveTo(Pixel(to));
        Click(Pixel(to));
    }
    const CPoint last = RandomPoint();
    MoveTo(Pixel(last));
    EndOpenGesture(Pixel(last), [this, first] {
        Log("click on the first point");
        MoveTo(Pixel(first));
        Click(Pixel(first));
    });
}

// T and a click open the text editor; letters, Ctrl+C and Ctrl+V with the clipboard empty or
// full are typed; Esc, Return or the focus leaving ends it.
void EditSoak::TypeText() {
    const CPoint at = RandomPoint();
    Log("T, click at " + Describe(at));
    Press(Qt::Key_T);
    MoveTo(Pixel(at));
    Click(Pixel(at));
    CInPlaceTextEdit* editor = m_view->TextEditor();
    if (!editor)
        return;
    for (int i = Between(1, 4); i > 0 && m_view->TextEditor(); --i) {
        switch (Pick(4)) {
            case 0:
                SetClipboard();
                Log("Ctrl+V");
                Press(Qt::Key_V, Qt::ControlModifier);
                break;
            case 1:
                Log("Ctrl+A, Ctrl+C");
                Press(Qt::Key_A, Qt::ControlModifier);
                Press(Qt::Key_C, Qt::ControlModifier);
                m_pinsCopied = false;
                break;
            default:
                Log("type \"ab\"");
                QTest::keyClicks(editor, "ab");
                break;
        }
    }
    if (!m_view->TextEditor())
        return;
    switch (Pick(3)) {
        case 0:
            Log("Esc");
            Press(Qt::Key_Escape);
            break;
        case 1:
            Log("Return");
            Press(Qt::Key_Return);
            break;
        default:
            break;
    }
    if (m_view->TextEditor()) {
        Log("the focus leaves the editor");
        m_view->setFocus();
    }
}

// ---------------------------------------------------------------------------------------------
// Sheets, undo and redo

// The sheet of an object of a random kind (a pin of a part, too), over it alone or with
// others, accepted as it opened: no step, no byte and no netlist line may change.
void EditSoak::AcceptPropertiesUntouched() {
    static constexpr int kKinds[] = {kObjSymbol, kObjWire, kObjBus, kObjPin, kObjText, kObjRect};
    const int kind = kKinds[Pick(6)];
    std::vector<CDrawObj*> candidates = ObjectsOfType({kind});
    if (kind == kObjPin) {
        for (CDrawObj* symbol : ObjectsOfType({kObjSymbol})) {
            const CObList& pins = static_cast<CSymbol*>(symbol)->GetPins();
            for (POSITION pos = pins.GetHeadPosition(); pos;)
                candidates.push_back(static_cast<CDrawObj*>(pins.GetNext(pos)));
        }
    }
    if (candidates.empty())
        return;
    SelectSome(Pick(3));
    m_view->Select(candidates[Pick(candidates.size())], true);
    Log("Alt+Enter on objects " + SelectionText());
    const Bytes before = DocumentBytes();
    const std::string netlist = ProtelNetlist();
    const CCommand* last = List().GetLastDone();
    const int count = List().GetCount();
    m_sheetAwaited = true;
    Press(Qt::Key_Return, Qt::AltModifier);
    m_sheetAwaited = false;
    CheckWindows("after an untouched OK");
    BackToSelectTool();
    Audit("after an untouched OK");
    if (List().GetLastDone() != last || List().GetCount() != count)
        Fail("an untouched OK recorded the step \"" + std::string(List().GetUndoName()) + "\"");
    if (DocumentBytes() != before)
        Fail("an untouched OK changed the document");
    const std::string after = ProtelNetlist();
    if (after != netlist)
        Fail("an untouched OK changed the netlist:\n" + netlist + "----\n" + after);
}

void EditSoak::UndoRun(bool undo) {
    const std::string kind = undo ? "undo" : "redo";
    bool moved = false;
    for (int i = Between(1, 4); i > 0; --i) {
        if (undo ? !List().CanUndo() : !List().CanRedo())
            break;
        Log(kind + " " + (undo ? List().GetUndoName() : List().GetRedoName()));
        undo ? Undo() : Redo();
        undo ? --m_done : ++m_done;
        ExpectState(kind);
        moved = true;
    }
    if (moved)
        ++m_tally[kind];
}

// Through the undo list itself: the keys had their turn in the steps.
void EditSoak::RewindAndReplay() {
    Log("rewind and replay");
    while (List().CanUndo()) {
        if (!List().Undo())
            Fail(std::string("the undo of \"") + List().GetUndoName() + "\" failed");
        --m_done;
        ExpectState("the rewind");
    }
    while (List().CanRedo()) {
        if (!List().Redo())
            Fail(std::string("the redo of \"") + List().GetRedoName() + "\" failed");
        ++m_done;
        ExpectState("the replay");
    }
    if (m_done + 1 != m_states.size())
        Fail("the replay ended short of the last state");
}

// ---------------------------------------------------------------------------------------------
// Gestures

void EditSoak::EndOpenGesture(QPoint at, const std::function<void()>& target) {
    static const char* const kChoices[] = {"End", "Cancel", nullptr};
    switch (Pick(7)) {
        case 0:
            Log("double click");
            DoubleClick(at);
            break;
        case 1:
            Log("Esc");
            Press(Qt::Key_Escape);
            break;
        case 2: {
            const char* choice = kChoices[Pick(3)];
            Log(std::string("right click, then ") + (choice ? choice : "no choice"));
            RightClick(at, choice);
            break;
        }
        case 3:
        case 4:
            PressToolKey();
            break;
        case 5:
            Log("Ctrl+Z and Ctrl+Y");
            Press(Qt::Key_Z, Qt::ControlModifier);
            Press(Qt::Key_Y, Qt::ControlModifier);
            break;
        default:
            target();
            break;
    }
    // A click that found no target, a double click in a wire drag (a click there) or a menu
    // closed without a choice leave it open: the user presses Esc.
    if (GetToolManager()->CurrentTool()->HasOpenObject()) {
        Log("still open: Esc");
        Press(Qt::Key_Escape);
    }
}

void EditSoak::PressToolKey() {
    const Qt::Key key = kToolKeys[Pick(std::size(kToolKeys))];
    Log("tool key " + KeyName(key));
    Press(key);
}

// Empty, a text, or what the last copy left.
void EditSoak::SetClipboard() {
    switch (Pick(3)) {
        case 0:
            Log("the clipboard emptied");
            QGuiApplication::clipboard()->clear();
            m_pinsCopied = false;
            break;
        case 1:
            Log("the clipboard holds a text");
            QGuiApplication::clipboard()->setText(QStringLiteral("R7 10k"));
            m_pinsCopied = false;
            break;
        default:
            break;
    }
}

void EditSoak::Click(QPoint at, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(Port(), Qt::LeftButton, modifiers, at);
}

// A press and release, and the double click and release that follow. When the first click
// already ended the gesture and the select tool took over, the rest is left out: a double click
// there opens the object under the mouse (a text's editor, a part's symbol editor).
void EditSoak::DoubleClick(QPoint at) {
    Click(at);
    if (GetToolManager()->state.currentShape == kToolSelect) {
        Log("  the first click ended it");
        return;
    }
    QTest::mouseDClick(Port(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(Port(), Qt::LeftButton, Qt::NoModifier, at);
}

// The menu the click opens is answered with the entry starting with choice, or closed.
void EditSoak::RightClick(QPoint at, const char* choice) {
    m_menuChoice = choice;
    m_menuShown = false;
    // The desktop asks for the context menu as the button goes down; the test's events do not.
    QTest::mousePress(Port(), Qt::RightButton, Qt::NoModifier, at);
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, Port()->mapToGlobal(at));
    QApplication::sendEvent(Port(), &request);
    QTest::mouseRelease(Port(), Qt::RightButton, Qt::NoModifier, at);
    m_menuChoice = nullptr;
    if (!m_menuShown)
        Fail("a right click showed no menu");
}

void EditSoak::MoveTo(QPoint at) {
    QTest::mouseMove(Port(), at);
}

// A key as the user presses it: to the window with the focus, whose menus and shortcuts are up
// to date as after the user's last key or click (the window brings them up to date after every
// key and click), also when the soak selected or ran a command itself.
void EditSoak::Press(int key, Qt::KeyboardModifiers modifiers) {
    CMainFrame& frame = *m_app->MainFrame();
    // The desktop gives the activation back to the main window when a dialog closes; the
    // offscreen platform of the tests does not.
    if (!frame.isActiveWindow()) {
        frame.activateWindow();
        QApplication::processEvents();
    }
    QApplication::processEvents();
    if (m_commandsStale)
        frame.UpdateCommandUI();
    m_commandsStale = false;
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : m_view, Qt::Key(key), modifiers);
    QApplication::processEvents();
}

void EditSoak::BackToSelectTool() {
    ToolManager& tools = *GetToolManager();
    for (int i = 0; i < 3 && (m_view->TextEditor() || tools.state.currentShape != kToolSelect ||
                              tools.CurrentTool()->HasOpenObject());
         ++i)
        Press(Qt::Key_Escape);
    if (tools.state.currentShape != kToolSelect) {
        m_view->setFocus();
        Press(Qt::Key_S);
    }
}

CPin* EditSoak::FreePin() {
    std::vector<CPin*> free;
    for (CDrawObj* object : ObjectsOfType({kObjSymbol, kObjPin})) {
        if (auto* pin = dynamic_cast<CPin*>(object); pin && !pin->GetWire())
            free.push_back(pin);
        if (const CObList* pins = object->GetPinList()) {
            for (POSITION pos = pins->GetHeadPosition(); pos;) {
                auto* pin = static_cast<CPin*>(pins->GetNext(pos));
                if (!pin->GetWire())
                    free.push_back(pin);
            }
        }
    }
    return free.empty() ? nullptr : free[Pick(free.size())];
}

CPoint EditSoak::RandomPoint() {
    return CPoint(Between(10, 50) * 100, -Between(6, 38) * 100);
}

std::vector<CDrawObj*> EditSoak::WiresWithAFreeEnd() const {
    std::vector<CDrawObj*> wires;
    for (CDrawObj* object : ObjectsOfType({kObjWire, kObjBus})) {
        const auto* wire = static_cast<CWire*>(object);
        if (wire->GetPointCount() >= 2 && (!wire->GetStartObject() || !wire->GetEndObject()))
            wires.push_back(object);
    }
    return wires;
}
