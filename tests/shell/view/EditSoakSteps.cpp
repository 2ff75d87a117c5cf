// The soak's steps, made of the mouse and key events of a user's gestures.

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include "drawtools/DrawTool.h"
#include "drawtools/PlaceTool.h"
#include "drawtools/SelectTool.h"
#include "drawtools/ToolManager.h"
#include "drawtools/WireDragTool.h"
#include "gui/dialogs/pickers/FillStyleDlg.h"
#include "gui/dialogs/pickers/LineWidthDlg.h"
#include "gui/library/LibraryBar.h"
#include "gui/library/PaletteWnd.h"
#include "gui/library/ShellListCtrl.h"
#include "gui/library/SymbButton.h"
#include "library/ShellItem.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "model/undo/UndoList.h"
#include "resources/CommandIds.h"
#include "shell/app/SchematicQtApp.h"
#include "shell/commands/CommandActions.h"
#include "shell/frames/ChildFrame.h"
#include "shell/frames/MainFrame.h"
#include "shell/frames/WorkspaceBar.h"
#include "shell/toolbar/ColourPopup.h"
#include "shell/toolbar/DropDownButton.h"
#include "shell/toolbar/StylePopups.h"
#include "shell/toolbar/UndoListBox.h"
#include "shell/toolbar/UndoPopup.h"
#include "shell/view/DrawView.h"
#include "shell/view/EditSoak.h"
#include "shell/view/InPlaceTextEdit.h"

namespace {

// The keys of the Draw menu's tools.
constexpr Qt::Key kToolKeys[] = {Qt::Key_S, Qt::Key_W, Qt::Key_B, Qt::Key_L, Qt::Key_R, Qt::Key_N,
                                 Qt::Key_E, Qt::Key_A, Qt::Key_P, Qt::Key_Z, Qt::Key_T};

constexpr const char* kCannotOpenEmbedded =
    "Embedded objects cannot be opened or edited on this system; they are kept as they are.";
constexpr const char* kDeviceDoesNotFit = "Currently selected device not compatible with symbol(s)";
constexpr const char* kPinNeedsName = "Error: A pin must have a name.";

std::string KeyName(int key) {
    return QKeySequence(key).toString().toStdString();
}

}  // namespace

void EditSoak::Step() {
    if (!m_window->view->TextEditor())
        m_window->view->setFocus();
    m_commandsStale = true;
    Idle();
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
        case 26:
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
        case 16:
            // With nothing to redo, an undo first.
            if (!List().CanRedo())
                UndoRun(true);
            return UndoRun(false);
        case 17:
            if (Pick(2) == 0)
                return Edit("place from the Files page", [this] { PlaceFromFilesList(); });
            return Edit("place from a palette", [this] { PlaceFromPalette(); });
        case 18:
            return Edit("edit a text in place", [this] { EditTextInPlace(); });
        case 19:
            return Edit("save in a gesture", [this] { SaveInGesture(); });
        case 20:
            return Edit("Alt+Enter in a gesture", [this] { PropertiesInGesture(); });
        case 21:
            return Edit("a menu command in a gesture", [this] { MenuCommandInGesture(); });
        case 22:
            return Edit("a picker", [this] { UsePicker(); });
        case 23:
            return Edit("drop a file", [this] { DropFile(); });
        case 24:
            return Edit("close in a gesture", [this] { CloseInGesture(); });
        case 27:
            return Edit("beside the other window", [this] { BesideTheOtherWindow(); });
        default:
            return Edit("two windows", [this] { AcrossWindows(); });
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
    // A selection wider or taller than the sheet's drawing area (a title block's fields from
    // edge to edge, say) cannot move: the drag says so and records nothing.
    const std::string refused = SelectionOutgrowsSheet() ? kMoveLargerThanSheet : "";
    const StepId before = List().LastStep();
    m_expectedMessages.insert(refused);
    QTest::mousePress(Port(), Qt::LeftButton, Qt::NoModifier, Pixel(grab));
    QTest::mouseMove(Port(), (Pixel(grab) + Pixel(to)) / 2);
    QTest::mouseMove(Port(), Pixel(to));
    if (Pick(3) == 0)
        PressToolKey();
    QTest::mouseRelease(Port(), Qt::LeftButton, Qt::NoModifier, Pixel(to));
    const bool wasRefused =
        !refused.empty() && std::count(m_prompt.shown.begin(), m_prompt.shown.end(), refused) > 0;
    CheckWindows("the drag");
    m_expectedMessages.erase(m_expectedMessages.find(refused));
    if (wasRefused) {
        if (List().LastStep() != before)
            Fail("a move refused as larger than the sheet recorded a step");
        return;
    }
    // A press on the end of the selected wire picked the end up: it follows the mouse until
    // the gesture ends.
    if (GetToolManager()->CurrentTool()->HasOpenObject()) {
        Log("the wire's end was picked up");
        EndOpenGesture(Pixel(to), [this, to] { DoubleClick(Pixel(to)); });
    }
}

bool EditSoak::SelectionOutgrowsSheet() const {
    std::optional<CRect> bounds;
    for (CDrawObj* object : Selection()) {
        CRect box;
        object->GetBoundingRect(box);
        box.NormalizeRect();
        if (bounds)
            bounds->UnionRect(*bounds, box);
        else
            bounds = box;
    }
    if (!bounds)
        return false;
    const CRect area = m_window->doc->GetDrawingArea();
    return bounds->Width() > area.Width() || bounds->Height() > area.Height();
}

// By the key or from the Edit menu.
void EditSoak::TransformSelection() {
    static constexpr UINT kTransforms[] = {ID_EDIT_ROTATE_90, ID_EDIT_ROTATE_MINUS_90,
                                           ID_EDIT_MIRROR_HORZ, ID_EDIT_MIRROR_VERT};
    static constexpr const char* kNames[] = {"rotate 90", "rotate -90", "mirror horizontally",
                                             "mirror vertically"};
    static constexpr Qt::Key kKeys[] = {Qt::Key_Space, Qt::Key_Space, Qt::Key_X, Qt::Key_Y};
    SelectSome(3);
    const std::size_t which = Pick(4);
    if (Pick(2) == 0) {
        Log(std::string(kNames[which]) + " from the Edit menu on objects " + SelectionText());
        MenuCommand(kTransforms[which]);
        return;
    }
    Log(std::string(kNames[which]) + " by its key on objects " + SelectionText());
    Press(kKeys[which], which == 1 ? Qt::ControlModifier : Qt::NoModifier);
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
    Log(std::string("align ") + kNames[which] + " from the Edit menu on objects " +
        SelectionText());
    MenuCommand(kAligns[which]);
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
    const std::string refused = m_pinsCopied ? "Add object failed" : "";
    m_expectedMessages.insert(refused);
    Press(Qt::Key_V, Qt::ControlModifier);
    CheckWindows("Ctrl+V");
    m_expectedMessages.erase(m_expectedMessages.find(refused));
    if (GetToolManager()->state.currentShape == kToolPlace)
        Place();
}

// The carried objects follow the mouse; a Ctrl+click drops them, Esc takes them away, or a
// tool's key (the keys that turn and mirror them are the place tool's) or undo and redo come in
// between. Still carried, they are dropped or taken away.
void EditSoak::Place() {
    const QPoint at = Pixel(RandomPoint());
    MoveTo(at);
    switch (Pick(6)) {
        case 0:
        case 1:
        case 2:
            Log("Ctrl+click");
            Click(at, Qt::ControlModifier);
            break;
        case 3:
            Log("Esc");
            Press(Qt::Key_Escape);
            break;
        case 4:
            PressToolKey();
            break;
        default:
            Log("Ctrl+Z and Ctrl+Y");
            Press(Qt::Key_Z, Qt::ControlModifier);
            Press(Qt::Key_Y, Qt::ControlModifier);
            break;
    }
    if (GetToolManager()->PlaceTool().IsPlacingIn(*m_window->view)) {
        const bool drop = Pick(4) != 0;
        Log(drop ? "still carried: Ctrl+click" : "still carried: Esc");
        drop ? Click(at, Qt::ControlModifier) : Press(Qt::Key_Escape);
    }
}

// ---------------------------------------------------------------------------------------------
// Drawing

// W (or B) and a click on a free pin, on a wire or on the empty sheet, a few more clicks, and
// an end: on a free pin, or as a user ends or leaves an open wire.
void EditSoak::DrawWire() {
    const bool bus = Pick(5) == 0;
    ChooseTool(bus ? Qt::Key_B : Qt::Key_W);
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
        m_window->view->Select(wire);
        Log("select the wire, click on its end at " + Describe(end));
    } else {
        const bool bus = wire->GetObjType() == kObjBus;
        ChooseTool(bus ? Qt::Key_B : Qt::Key_W);
        Log("click on the end at " + Describe(end));
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
    ChooseTool(key);
    Log("drag from " + Describe(from) + " to " + Describe(to));
    MoveTo(Pixel(from));
    QTest::mousePress(Port(), Qt::LeftButton, Qt::NoModifier, Pixel(from));
    QTest::mouseMove(Port(), (Pixel(from) + Pixel(to)) / 2);
    QTest::mouseMove(Port(), Pixel(to));
    PressKeyOfAGesture(Pick(6));
    QTest::mouseRelease(Port(), Qt::LeftButton, Qt::NoModifier, Pixel(to));
}

// A polygon or Bezier curve click by click, closed on its first point or ended or left as a
// user does.
void EditSoak::DrawPolygon() {
    const bool bezier = Pick(3) == 0;
    ChooseTool(bezier ? Qt::Key_Z : Qt::Key_P);
    const CPoint first = RandomPoint();
    Log("click at " + Describe(first));
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
    ChooseTool(Qt::Key_T);
    Log("click at " + Describe(at));
    MoveTo(Pixel(at));
    Click(Pixel(at));
    CInPlaceTextEdit* editor = m_window->view->TextEditor();
    if (!editor)
        return;
    for (int i = Between(1, 4); i > 0 && m_window->view->TextEditor(); --i) {
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
    if (!m_window->view->TextEditor())
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
    if (m_window->view->TextEditor())
        LeaveEditor();
}

// ---------------------------------------------------------------------------------------------
// Placing, texts in place, and what comes in the middle of gestures

// A palette dropped down from its toolbar button and one of its first buttons clicked: what it
// holds is placed as pasted objects are. An empty button leaves the palette open: Esc.
void EditSoak::PlaceFromPalette() {
    static constexpr UINT kPalettes[] = {ID_PALETTE_1, ID_PALETTE_2, ID_PALETTE_3, ID_PALETTE_4};
    const std::size_t index = Pick(4);
    const int button = Between(0, 3);
    Log("palette " + std::to_string(index + 1) + ", its button " + std::to_string(button + 1));
    CMainFrame& frame = *m_app->MainFrame();
    CPaletteWnd* palette = frame.palette(int(index));
    auto* dropDown = frame.toolbar(IDR_DRAWING_TOOLBAR)
                         ->findChild<CDropDownButton*>(QString("dropDown%1").arg(kPalettes[index]));
    if (!palette || !dropDown)
        Fail("the drawing toolbar has no palette " + std::to_string(index + 1));
    Idle();
    QTimer::singleShot(0, palette, [palette, button] {
        QTest::mouseClick(palette->Button(button), Qt::LeftButton);
        if (palette->isVisible())
            QTest::keyClick(palette, Qt::Key_Escape);
    });
    QTest::mouseClick(dropDown, Qt::LeftButton);
    QApplication::processEvents();
    m_commandsStale = true;
    if (GetToolManager()->state.currentShape == kToolPlace)
        Place();
}

// A library of the standard library listed on the Files page and one of its first records
// double-clicked: it is placed as pasted objects are.
void EditSoak::PlaceFromFilesList() {
    static constexpr const char* kLibraries[] = {"basic.rlb", "discrete.rlb", "logic.rlb"};
    const std::string library =
        (SoakLibraries(m_dir) / kLibraries[Pick(std::size(kLibraries))]).string();
    CWorkspaceBar& workspace = *m_app->MainFrame()->workspaceBar();
    auto* bar = dynamic_cast<CLibraryBar*>(workspace.FilesPage());
    if (!bar)
        Fail("the workspace has no Files page");
    workspace.SelectPage(bar);
    CShellListCtrl& list = *bar->List();
    list.Refill(library, kShellLibrary);
    if (list.count() == 0)
        Fail("the Files page lists no record of " + library);
    const int row = int(Pick(std::size_t(std::min(list.count(), 12))));
    Log("a double click on the record \"" + list.item(row)->text().toStdString() + "\" of " +
        std::filesystem::path(library).filename().string() + " in the Files page's list");
    list.scrollToItem(list.item(row));
    const QPoint at = list.visualItemRect(list.item(row)).center();
    Idle();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QApplication::processEvents();
    m_commandsStale = true;
    if (GetToolManager()->state.currentShape != kToolPlace)
        Fail("the double click on a record of the Files page started no placing");
    Place();
}

// A double click on a text with the select tool opens its editor, letters are typed, and a
// command comes before the edit ends.
void EditSoak::EditTextInPlace() {
    const CTextBox* text = OpenTextInPlace();
    if (!text) {
        // A click on a text over a free pin's end starts a wire there, as the select tool does
        // on a pin: it is ended as a user ends it.
        EndGestureLeftOpen();
        return;
    }
    TypeInPlace(*text);
    InterruptGesture();
    EndGestureLeftOpen();
}

void EditSoak::SaveInGesture() {
    OpenGesture();
    Save();
    EndGestureLeftOpen();
}

void EditSoak::PropertiesInGesture() {
    OpenGesture();
    PressAltEnter();
    EndGestureLeftOpen();
}

void EditSoak::MenuCommandInGesture() {
    OpenGesture();
    RandomMenuCommand();
    EndGestureLeftOpen();
}

// Over the selection, or over what a gesture left open.
void EditSoak::UsePicker() {
    if (Pick(2) == 0)
        OpenGesture();
    else
        SelectSome(3);
    ChooseFromPicker();
    EndGestureLeftOpen();
}

void EditSoak::DropFile() {
    if (Pick(2) == 0)
        OpenGesture();
    Drop(Pixel(RandomPoint()));
    EndGestureLeftOpen();
}

// Ctrl+F4 or File > Close, the question answered Yes, No or Cancel. The window closed, a new
// sheet takes its place.
void EditSoak::CloseInGesture() {
    static constexpr int kAnswers[] = {IDYES, IDNO, IDCANCEL};
    static constexpr const char* kNames[] = {"Yes", "No", "Cancel"};
    OpenGesture();
    const std::size_t answer = Pick(3);
    const bool key = Pick(2) == 0;
    Log(std::string(key ? "Ctrl+F4" : "File > Close") + ", a question answered " + kNames[answer]);
    const std::string question =
        "Save changes to " + std::filesystem::path(m_window->path).filename().string() + "?";
    m_expectedMessages.insert(question);
    m_prompt.answer = kAnswers[answer];
    const auto windows = m_app->MainFrame()->mdiArea()->subWindowList().size();
    if (key)
        Press(Qt::Key_F4, Qt::ControlModifier);
    else
        MenuCommand(ID_FILE_CLOSE);
    m_prompt.answer = 0;
    const bool asked = std::count(m_prompt.shown.begin(), m_prompt.shown.end(), question) > 0;
    const bool closed = m_app->MainFrame()->mdiArea()->subWindowList().size() < windows;
    if (closed) {
        m_window->view = nullptr;
        m_window->doc = nullptr;
    }
    CheckWindows("the close");
    m_expectedMessages.erase(m_expectedMessages.find(question));
    if (!closed) {
        if (asked && kAnswers[answer] != IDCANCEL)
            Fail("the window stayed open after the question was answered " +
                 std::string(kNames[answer]));
        if (asked)
            ExpectEnded("the question answered Cancel");
        EndGestureLeftOpen();
        return;
    }
    Log("the window closed; a new sheet in a new window");
    Window& closedWindow = *m_window;
    if (!OpenWindow(closedWindow))
        Fail("no new window opened");
    ReleaseHeldButton();
    closedWindow.replaced = true;
    closedWindow.states.push_back(DocumentBytes());
}

// A gesture left open in one window while the other gets a key, a menu command, clicks, Enter,
// a right click or Alt+Enter; then, now and then, back to the first.
void EditSoak::AcrossWindows() {
    OpenGesture();
    const Window& first = *m_window;
    SwitchWindow();
    ReleaseHeldButton();
    if (const std::size_t road = Pick(9); !PressKeyOfAGesture(road))
        ActInTheOtherWindow(road);
    if (const std::string open = OpenGestureIn(first); !open.empty())
        Fail("the switch to the other window and what it got there left " + open + " in the first");
    // What the other window got may have begun a gesture of its own with the current tool.
    EndGestureLeftOpen();
    if (Pick(2) == 0) {
        SwitchWindow();
        EndGestureLeftOpen();
    }
}

// A gesture left open in one window while the other, not switched to, gets a click on its sheet
// or a key sent to it; then now and then a menu command with the mouse over the other window,
// which may hold a gesture begun by the click or the key. What the other window got ends the
// gesture of the first, and the command any gesture open.
void EditSoak::BesideTheOtherWindow() {
    OpenGesture();
    const Window& first = *m_window;
    const Window& other = Other();
    QWidget* const port = other.view->viewport();
    const CPoint at = RandomPoint();
    QTest::mouseMove(port, PixelIn(other, at));
    // On the desktop the main window is active when the other window gets its input (a menu
    // that chose the tool gave the activation back); a text the input opens there takes the
    // focus and makes that window the active one.
    Idle();
    switch (Pick(3)) {
        case 0:
            // A button held down on the first sheet comes up before it can go down on another.
            ReleaseHeldButton();
            Log("a click on the other window's sheet at " + Describe(at));
            QTest::mouseClick(port, Qt::LeftButton, Qt::NoModifier, PixelIn(other, at));
            break;
        case 1: {
            const Qt::Key key = kToolKeys[Pick(std::size(kToolKeys))];
            Log("tool key " + KeyName(key) + " sent to the other window, the mouse at " +
                Describe(at));
            QTest::keyClick(other.view, key);
            break;
        }
        default:
            Log("Enter sent to the other window, the mouse at " + Describe(at));
            QTest::keyClick(other.view, Qt::Key_Return);
            break;
    }
    QApplication::processEvents();
    m_commandsStale = true;
    if (const std::string open = OpenGestureIn(first); !open.empty())
        Fail("what the other window got left " + open + " in the first");
    CheckWindows("what the other window got");
    FollowActiveWindow();
    if (Pick(2) == 0) {
        Log("the mouse over the other window's sheet");
        QTest::mouseMove(port, PixelIn(other, RandomPoint()));
        RandomMenuCommand();
    }
    EndGestureLeftOpen();
    if (!OpenGestureName().empty()) {
        SwitchWindow();
        EndGestureLeftOpen();
    }
}

// A key that gestures meet in the middle: a tool key, Esc, or Ctrl+Z and Ctrl+Y (roads 0 to 2);
// false for any other road.
bool EditSoak::PressKeyOfAGesture(std::size_t road) {
    switch (road) {
        case 0:
            PressToolKey();
            return true;
        case 1:
            Log("Esc");
            Press(Qt::Key_Escape);
            return true;
        case 2:
            Log("Ctrl+Z and Ctrl+Y");
            Press(Qt::Key_Z, Qt::ControlModifier);
            Press(Qt::Key_Y, Qt::ControlModifier);
            return true;
        default:
            return false;
    }
}

// What the other window gets besides a key (roads 3 to 8): a menu command, a wire or shape
// drawn, Enter at a point, a right click, or Alt+Enter on a selection.
void EditSoak::ActInTheOtherWindow(std::size_t road) {
    switch (road) {
        case 3:
            RandomMenuCommand();
            break;
        case 4:
            DrawWire();
            break;
        case 5:
            DrawShape();
            break;
        case 6: {
            const CPoint at = RandomPoint();
            Log("Enter at " + Describe(at));
            MoveTo(Pixel(at));
            Press(Qt::Key_Return);
            break;
        }
        case 7: {
            static const char* const kChoices[] = {"End", "Cancel", nullptr};
            const char* choice = kChoices[Pick(3)];
            Log(std::string("right click, then ") + (choice ? choice : "no choice"));
            RightClick(Pixel(RandomPoint()), choice);
            break;
        }
        default:
            SelectSome(2);
            PressAltEnter();
            break;
    }
}

// ---------------------------------------------------------------------------------------------
// Sheets, undo and redo

// The sheet of an object of a random kind (a pin of a part, too), over it alone or with
// others, accepted as it opened: no step, no byte and no netlist line may change.
// The key (Alt+Enter) as the properties of the selection are asked for: a sheet is accepted;
// an embedded object says it cannot be edited. A part whose name no longer fits its device
// has the sheet refuse the OK with a message, and so has a pin without a name alone on the pin
// page: it is cancelled.
void EditSoak::ExpectSheet(Qt::KeyboardModifiers modifiers) {
    const std::vector<CDrawObj*> selection = Selection();
    const bool embedded =
        std::any_of(selection.begin(), selection.end(),
                    [](const CDrawObj* object) { return object->GetObjType() == kObjOle; });
    const std::string expected = embedded                    ? kCannotOpenEmbedded
                                 : SelectsPartOffItsDevice() ? kDeviceDoesNotFit
                                 : SelectsOneUnnamedPin()    ? kPinNeedsName
                                                             : "";
    m_expectedMessages.insert(expected);
    m_refusalExpected = expected == kDeviceDoesNotFit || expected == kPinNeedsName;
    m_sheetAwaited = true;
    Press(Qt::Key_Return, modifiers);
    m_sheetAwaited = false;
    m_refusalExpected = false;
    CheckWindows("Alt+Enter");
    m_expectedMessages.erase(m_expectedMessages.find(expected));
}

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
    m_window->view->Select(candidates[Pick(candidates.size())], true);
    Log("Alt+Enter on objects " + SelectionText());
    const Bytes before = DocumentBytes();
    const std::string netlist = ProtelNetlist();
    const StepId last = List().LastStep();
    const int count = List().GetCount();
    ExpectSheet(Qt::AltModifier);
    CheckWindows("after an untouched OK");
    BackToSelectTool();
    Audit("after an untouched OK");
    if (List().LastStep() != last || List().GetCount() != count)
        Fail("an untouched OK recorded the step \"" + std::string(List().GetUndoName()) + "\"");
    if (DocumentBytes() != before)
        Fail("an untouched OK changed the document");
    const std::string after = ProtelNetlist();
    if (after != netlist)
        Fail("an untouched OK changed the netlist:\n" + netlist + "----\n" + after);
}

// By the keys one by one, or from the toolbar button's list at once.
void EditSoak::UndoRun(bool undo) {
    const std::string kind = undo ? "undo" : "redo";
    const int count = Between(1, 4);
    const std::size_t can = undo ? DoneCount() : List().FillRedoList().size();
    if (can > 0 && Pick(3) == 0) {
        const int chosen = std::min(count, int(can));
        Log(kind + " " + std::to_string(chosen) + " from the toolbar button's list");
        const std::size_t done = DoneCount();
        if (!UndoFromList(undo, chosen))
            return;
        if (DoneCount() != (undo ? done - std::size_t(chosen) : done + std::size_t(chosen)))
            Fail("the list's " + std::to_string(chosen) + " rows did not " + kind + " " +
                 std::to_string(chosen) + " steps");
        undo ? m_window->done -= std::size_t(chosen) : m_window->done += std::size_t(chosen);
        ExpectState(kind + " from the list");
        ++m_tally[kind];
        return;
    }
    bool moved = false;
    for (int i = count; i > 0; --i) {
        if (undo ? !List().CanUndo() : !List().CanRedo())
            break;
        Log(kind + " " + (undo ? List().GetUndoName() : List().GetRedoName()));
        undo ? Undo() : Redo();
        undo ? --m_window->done : ++m_window->done;
        ExpectState(kind);
        moved = true;
    }
    if (moved)
        ++m_tally[kind];
}

bool EditSoak::UndoFromList(bool undo, int count) {
    const UINT id = undo ? ID_EDIT_UNDO : ID_EDIT_REDO;
    auto* button = m_app->MainFrame()
                       ->toolbar(IDR_MAIN_TOOLBAR)
                       ->findChild<CDropDownButton*>(QString("dropDown%1").arg(id));
    if (!button)
        Fail("the main toolbar has no list for the command " + std::to_string(id));
    Idle();
    if (!button->isEnabled()) {
        Log("  it was disabled");
        return false;
    }
    bool shown = false;
    std::string fault;
    QTimer::singleShot(0, button, [this, button, undo, count, &shown, &fault] {
        auto* popup = button->findChild<CUndoPopup*>();
        if (!popup || !popup->isVisible())
            return;
        shown = true;
        CUndoListBox* list = popup->dialog()->list();
        const std::vector<CString> steps = undo ? List().FillUndoList() : List().FillRedoList();
        if (std::size_t(list->count()) != steps.size())
            fault = "the list shows " + std::to_string(list->count()) + " rows for " +
                    std::to_string(steps.size()) + " steps";
        for (int i = 0; i < count; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
    });
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->ArrowRect().center());
    // The choice reaches the view once the list has closed.
    QApplication::processEvents();
    m_commandsStale = true;
    if (!fault.empty())
        Fail(fault);
    if (!shown)
        Fail(std::string("the ") + (undo ? "Undo" : "Redo") + " button's list did not show");
    return true;
}

// Through the undo list itself: the keys had their turn in the steps.
void EditSoak::RewindAndReplay() {
    Log("rewind and replay");
    while (List().CanUndo()) {
        if (!List().Undo())
            Fail(std::string("the undo of \"") + List().GetUndoName() + "\" failed");
        --m_window->done;
        ExpectState("the rewind");
    }
    while (List().CanRedo()) {
        if (!List().Redo())
            Fail(std::string("the redo of \"") + List().GetRedoName() + "\" failed");
        ++m_window->done;
        ExpectState("the replay");
    }
    if (m_window->done + 1 != m_window->states.size())
        Fail("the replay ended short of the last state");
}

// ---------------------------------------------------------------------------------------------
// Gestures left open

void EditSoak::OpenGesture() {
    switch (Pick(7)) {
        case 0: {
            const bool bus = Pick(4) == 0;
            ChooseTool(bus ? Qt::Key_B : Qt::Key_W);
            CPin* pin = FreePin();
            const CPoint start = pin && Pick(2) == 0 ? pin->GetConnectPoint() : RandomPoint();
            Log("click at " + Describe(start));
            MoveTo(Pixel(start));
            Click(Pixel(start));
            break;
        }
        case 1: {
            ChooseTool(Pick(3) == 0 ? Qt::Key_Z : Qt::Key_P);
            for (int i = Between(1, 2); i > 0; --i) {
                const CPoint at = RandomPoint();
                Log("click at " + Describe(at));
                MoveTo(Pixel(at));
                Click(Pixel(at));
            }
            break;
        }
        case 2: {
            const std::vector<CDrawObj*> wires = WiresWithAFreeEnd();
            if (wires.empty())
                return;
            auto* wire = static_cast<CWire*>(wires[Pick(wires.size())]);
            const CPoint end = wire->GetStartObject() ? wire->GetPoint(wire->GetPointCount() - 1)
                                                      : wire->GetPoint(0);
            m_window->view->Select(wire);
            Log("select a wire, click on its end at " + Describe(end));
            MoveTo(Pixel(end));
            Click(Pixel(end));
            break;
        }
        case 3: {
            // Pasted pins alone are refused: something else is copied.
            SelectSome(2);
            for (CDrawObj* object : Selection()) {
                if (object->GetObjType() == kObjPin)
                    m_window->view->Deselect(object);
            }
            if (Selection().empty())
                return;
            Log("Ctrl+C on objects " + SelectionText() + ", Ctrl+V");
            Press(Qt::Key_C, Qt::ControlModifier);
            m_pinsCopied = false;
            Press(Qt::Key_V, Qt::ControlModifier);
            break;
        }
        case 4: {
            ChooseTool(Qt::Key_T);
            const CPoint at = RandomPoint();
            Log("click at " + Describe(at) + ", type \"ab\"");
            MoveTo(Pixel(at));
            Click(Pixel(at));
            if (CInPlaceTextEdit* editor = m_window->view->TextEditor())
                QTest::keyClicks(editor, "ab");
            break;
        }
        case 5: {
            static constexpr Qt::Key kSized[] = {Qt::Key_L, Qt::Key_R, Qt::Key_N,
                                                 Qt::Key_E, Qt::Key_A, Qt::Key_T};
            ChooseTool(kSized[Pick(std::size(kSized))]);
            const CPoint from = RandomPoint();
            Log("the button down at " + Describe(from) + ", held");
            MoveTo(Pixel(from));
            QTest::mousePress(Port(), Qt::LeftButton, Qt::NoModifier, Pixel(from));
            m_buttonHeld = true;
            m_heldOn = Port();
            m_heldAt = Pixel(from);
            break;
        }
        default:
            if (const CTextBox* text = OpenTextInPlace())
                TypeInPlace(*text);
            break;
    }
    const CPoint to = RandomPoint();
    if (!m_window->view->TextEditor())
        MoveTo(Pixel(to));
    const std::string open = OpenGestureName();
    Log(open.empty() ? "nothing was left open" : "left open: " + open);
}

// With the select tool, a click on a text and a double click on it if the click selected it.
CTextBox* EditSoak::OpenTextInPlace() {
    const std::vector<CDrawObj*> texts = ObjectsOfType({kObjText});
    if (texts.empty())
        return nullptr;
    auto* text = static_cast<CTextBox*>(texts[Pick(texts.size())]);
    CRect box = text->GetPosition();
    box.NormalizeRect();
    const QPoint at = Pixel(box.CenterPoint());
    Log("double click on the text \"" + text->GetText().str() + "\" at " +
        Describe(box.CenterPoint()));
    MoveTo(at);
    QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, at);
    const std::vector<CDrawObj*> selection = Selection();
    if (GetToolManager()->state.currentShape != kToolSelect || selection.size() != 1 ||
        selection.front()->GetObjType() != kObjText) {
        Log("  the click found no text alone");
        return nullptr;
    }
    // A text lying over the one aimed at is the one the click selects and the double click
    // edits.
    if (selection.front() != text) {
        text = static_cast<CTextBox*>(selection.front());
        Log("  the click selected the text \"" + text->GetText().str() + "\" over it");
    }
    QTest::mouseDClick(Port(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(Port(), Qt::LeftButton, Qt::NoModifier, at);
    if (!m_window->view->TextEditor()) {
        Log("  no editor opened");
        return nullptr;
    }
    return text;
}

// The question names the identifier as typed. A value the owner refuses, an identifier its
// device would make anew, or a document's attribute that the program computes is refused
// aloud, and Cancel ends the edit unchanged.
void EditSoak::TypeInPlace(const CTextBox& text) {
    CInPlaceTextEdit* editor = m_window->view->TextEditor();
    QTest::keyClicks(editor, "ab");
    const auto* attribute = dynamic_cast<const CAttrText*>(&text);
    const std::string typed = editor->StoredText().toStdString();
    static const std::set<std::string> kComputed = {"Date Created", "Last Saved", "File"};
    if (attribute && attribute->GetOwnerDocument() && kComputed.count(attribute->GetName().str()))
        m_editRefusal =
            "Error: Property value invalid - " + typed + "\nproperty cannot be modified.";
    CDrawObj* owner = attribute ? attribute->GetOwnerObject() : nullptr;
    if (!owner)
        return;
    const bool id = attribute->GetName() == "_ID";
    if (owner->GetObjType() == kObjSymbol && id)
        m_editQuestion = "Error: Property value invalid - " + typed +
                         "ID already exists.\n\nDo you want to displace exisiting ID?\n";
    CString checked(typed.c_str());
    const int rc = owner->CheckAttrValue(attribute->GetName(), checked);
    // Whether a part's device takes an identifier depends on the parts of the sheet when the
    // edit ends (a drop or an undo may come between), so any refusal of it told is foreseen.
    if (rc > 0 || (id && owner->GetDevice()))
        m_editRefusal = "Error: Property value invalid - " + typed + "\n";
}

// As the desktop does, the view takes the focus in the active main window.
void EditSoak::LeaveEditor() {
    Log("the focus leaves the editor");
    Idle();
    m_window->view->setFocus();
    QApplication::processEvents();
    if (m_window->view->TextEditor())
        Fail("the text's editor stayed open when the focus left it");
}

// The gesture still open after an interruption is ended as a user ends it.
void EditSoak::EndGestureLeftOpen() {
    ReleaseHeldButton();
    if (m_window->view->TextEditor()) {
        Log("Return in the editor");
        Press(Qt::Key_Return);
        if (m_window->view->TextEditor())
            LeaveEditor();
        return;
    }
    if (GetToolManager()->PlaceTool().IsPlacingIn(*m_window->view)) {
        Place();
        return;
    }
    if (GetToolManager()->CurrentTool()->HasOpenObject()) {
        const QPoint at = Pixel(RandomPoint());
        MoveTo(at);
        EndOpenGesture(at, [this, at] {
            Log("double click");
            DoubleClick(at);
        });
    }
}

void EditSoak::ReleaseHeldButton() {
    if (!std::exchange(m_buttonHeld, false))
        return;
    QWidget* on = m_heldOn ? m_heldOn.data() : Port();
    m_heldOn = nullptr;
    Log("the button comes up");
    QTest::mouseRelease(on, Qt::LeftButton, Qt::NoModifier, m_heldAt);
    QApplication::processEvents();
}

void EditSoak::InterruptGesture() {
    switch (Pick(8)) {
        case 0:
            return Save();
        case 1:
            return PressAltEnter();
        case 2:
            return RandomMenuCommand();
        case 3:
            // A key would be typed in a text's editor.
            ChooseTool(kToolKeys[Pick(std::size(kToolKeys))], !m_window->view->TextEditor());
            return ExpectEnded("the choice of a tool");
        case 4:
            return ChooseFromPicker();
        case 5:
            return Drop(Pixel(RandomPoint()));
        case 6:
            return UndoAndRedoOnToolbar();
        default:
            SwitchWindow();
            PressToolKey();
            return ExpectEnded("a window switch and a key there");
    }
}

void EditSoak::UndoAndRedoOnToolbar() {
    bool undone = false;
    if (Pick(2) == 0) {
        Log("the first row of the toolbar's Undo list");
        undone = UndoFromList(true, 1);
    } else {
        Log("the toolbar's Undo");
        undone = ToolbarButton(IDR_MAIN_TOOLBAR, ID_EDIT_UNDO);
    }
    if (!undone)
        return;
    ExpectEnded("the toolbar's Undo");
    Log("the toolbar's Redo");
    ToolbarButton(IDR_MAIN_TOOLBAR, ID_EDIT_REDO);
}

// Ctrl+S, File > Save or the toolbar's Save: the document is written as it stands with its
// gesture ended, and is no longer modified.
void EditSoak::Save() {
    bool saved = true;
    switch (Pick(3)) {
        case 0:
            Log("Ctrl+S");
            Press(Qt::Key_S, Qt::ControlModifier);
            break;
        case 1:
            Log("File > Save");
            saved = MenuCommand(ID_FILE_SAVE);
            break;
        default:
            Log("the toolbar's Save");
            saved = ToolbarButton(IDR_MAIN_TOOLBAR, ID_FILE_SAVE);
            break;
    }
    if (!saved)
        return;
    ExpectEnded("the save");
    if (m_window->doc->IsModified())
        Fail("the save left the document modified");
    ExpectSaveShown();
}

// Alt+Enter is Properties, never a click where the mouse is: a sheet comes with the gesture
// ended first, or nothing happens.
void EditSoak::PressAltEnter() {
    Log("Alt+Enter");
    const Bytes before = DocumentBytes();
    const std::string open = OpenGestureName();
    ExpectSheet(Qt::AltModifier);
    if (!open.empty() && !OpenGestureName().empty() && DocumentBytes() != before)
        Fail("Alt+Enter changed the document in " + open + " and left it open");
}

// A command that ends the gesture first, from the menu bar: the Draw menu's End, a rail, an
// edit of the selection, undo and then redo, a tool.
void EditSoak::RandomMenuCommand() {
    static constexpr std::pair<UINT, const char*> kCommands[] = {
        {ID_END_WIRE, "Draw > End Wire"},       {ID_END_POLYGON, "Draw > End Polygon"},
        {ID_CONNECT_GROUND1, "Ground 1"},       {ID_EDIT_ROTATE_90, "Edit > Rotate 90"},
        {ID_EDIT_MIRROR_HORZ, "Edit > Mirror"}, {ID_ALIGN_LEFT, "Edit > Align > Left"},
        {ID_EDIT_CLEAR, "Edit > Delete"},       {ID_EDIT_UNDO, "Edit > Undo"},
        {ID_DRAW_RECT, "Draw > Rectangle"}};
    const auto& [id, name] = kCommands[Pick(std::size(kCommands))];
    Log(std::string(name) + " from the menu");
    if (!MenuCommand(id))
        return;
    ExpectEnded(name);
    if (id == ID_EDIT_UNDO) {
        Log("Edit > Redo from the menu");
        MenuCommand(ID_EDIT_REDO);
    }
}

// The drop-down of a picker of the drawing toolbar: a colour, the automatic colour, none, a
// width or a fill style chosen, or Esc.
void EditSoak::ChooseFromPicker() {
    static constexpr std::pair<UINT, const char*> kPickers[] = {{ID_LINE_COLOUR, "Line Colour"},
                                                                {ID_FILL_COLOUR, "Fill Colour"},
                                                                {ID_LINE_WIDTH, "Line Width"},
                                                                {ID_FILL_STYLE, "Fill Style"}};
    const auto& [id, name] = kPickers[Pick(std::size(kPickers))];
    auto* button = m_app->MainFrame()
                       ->toolbar(IDR_DRAWING_TOOLBAR)
                       ->findChild<CDropDownButton*>(QString("dropDown%1").arg(id));
    if (!button)
        Fail(std::string("the drawing toolbar has no ") + name);
    Idle();
    if (!button->isEnabled()) {
        Log(std::string(name) + " is disabled");
        return;
    }
    const std::size_t choice = Pick(5);
    const int row = Between(0, 39);
    bool chose = false;
    QTimer::singleShot(0, button, [button, choice, row, &chose] {
        CPopupFrame* popup = button->popup();
        if (!popup || !popup->isVisible())
            return;
        chose = choice > 0;
        if (!chose) {
            QTest::keyClick(popup, Qt::Key_Escape);
            return;
        }
        if (auto* colour = qobject_cast<CColourPopup*>(popup)) {
            CColourPickerDlg& grid = *colour->dialog();
            if (choice == 1)
                grid.automaticButton()->click();
            else if (choice == 2 && grid.noneButton()->isVisible())
                grid.noneButton()->click();
            else
                grid.cells()[std::size_t(row) % grid.cells().size()]->click();
        } else {
            auto* width = qobject_cast<CLineWidthPopup*>(popup);
            auto* fill = qobject_cast<CLineStylePopup*>(popup);
            QListWidget* list = width ? width->dialog()->list() : fill->dialog()->list();
            list->clearSelection();
            list->setCurrentRow(row % list->count());
        }
    });
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
    m_commandsStale = true;
    Log(std::string(name) + (chose ? ": a choice" : ": Esc"));
    if (chose)
        ExpectEnded(std::string("the choice of ") + name);
}

void EditSoak::Drop(QPoint at) {
    const std::filesystem::path file = m_dir / "note.txt";
    if (!std::filesystem::exists(file))
        std::ofstream(file) << "soak\n";
    Log("a file dropped at " + Describe(m_window->view->ClientToDoc(CPoint(at.x(), at.y()))));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Port(), &enter);
    QDragMoveEvent move(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Port(), &move);
    QDropEvent drop(QPointF(at), actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Port(), &drop);
    QApplication::processEvents();
    m_commandsStale = true;
    ExpectEnded("the drop");
    // The first save numbers the embedded object's storage, which its bytes hold: saved now, the
    // object's bytes stay as the history knows them.
    Log("Ctrl+S");
    Press(Qt::Key_S, Qt::ControlModifier);
}

void EditSoak::ExpectEnded(const std::string& after) {
    if (const std::string open = OpenGestureName(); !open.empty())
        Fail(after + " left " + open);
}

std::string EditSoak::OpenGestureName() const {
    ToolManager* tools = GetToolManager();
    if (!tools)
        return {};
    static constexpr const char* kShapes[] = {"select",     "line",
                                              "rectangle",  "round rectangle",
                                              "ellipse",    "polygon",
                                              "text",       "pin",
                                              "wire",       "bus",
                                              "zoom",       "arc",
                                              "Bezier",     "wire drag",
                                              "place",      "polyline",
                                              "arrow line", "double arrow line"};
    // Every tool tells what its gesture holds.
    for (int shape = kToolSelect; shape <= kToolDoubleArrowLine; ++shape) {
        std::vector<const CDrawObj*> held;
        if (const CDrawTool* tool = tools->FindTool(shape))
            tool->AddHeldObjects(held);
        if (!held.empty())
            return std::string("a gesture of the ") + kShapes[shape] + " tool";
    }
    for (const Window& window : m_windows) {
        if (!window.view)
            continue;
        if (tools->PlaceTool().IsPlacingIn(*window.view))
            return "objects being placed";
        if (window.view->TextEditor())
            return "a text edited in place";
    }
    return {};
}

// ---------------------------------------------------------------------------------------------
// Gestures

void EditSoak::EndOpenGesture(QPoint at, const std::function<void()>& target) {
    static const char* const kChoices[] = {"End", "Cancel", nullptr};
    switch (Pick(9)) {
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
        case 6: {
            const bool wire = Pick(2) == 0;
            Log(wire ? "End Wire from the Draw menu" : "End Polygon from the Draw menu");
            MenuCommand(wire ? ID_END_WIRE : ID_END_POLYGON);
            break;
        }
        case 7:
            ChooseTool(kToolKeys[Pick(std::size(kToolKeys))]);
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

// Now and then Enter where the mouse is, as the view takes it: a click there.
void EditSoak::Click(QPoint at, Qt::KeyboardModifiers modifiers) {
    Idle();
    // Drawn whoever has the focus, so that the seed's later draws do not depend on it.
    const bool enter = Pick(4) == 0;
    if (enter && QApplication::focusWidget() == m_window->view) {
        Log("  Enter for the click");
        MoveTo(at);
        Press(Qt::Key_Return, modifiers);
        return;
    }
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
    Idle();
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : m_window->view, Qt::Key(key), modifiers);
    QApplication::processEvents();
}

void EditSoak::Idle() {
    CMainFrame& frame = *m_app->MainFrame();
    // The desktop gives the activation back to the main window when a dialog or a palette
    // closes; the offscreen platform of the tests does not.
    if (QApplication::activeWindow() != &frame) {
        frame.activateWindow();
        if (!QTest::qWaitForWindowActive(&frame))
            Fail("the main window did not become active again");
    }
    QApplication::processEvents();
    if (m_commandsStale)
        frame.UpdateCommandUI();
    m_commandsStale = false;
}

namespace {

// The menu or submenu of menu that holds the command's item, or null.
QMenu* MenuHolding(QMenu& menu, UINT id) {
    for (QAction* action : menu.actions()) {
        if (QMenu* sub = action->menu()) {
            if (QMenu* holder = MenuHolding(*sub, id))
                return holder;
        } else if (CommandActions::IdOf(action) == id) {
            return &menu;
        }
    }
    return nullptr;
}

}  // namespace

// The menu opens as its menu bar entry opens it (its items' states are brought up to date as it
// shows) and the item is chosen with Enter.
bool EditSoak::MenuCommand(UINT id) {
    CMainFrame& frame = *m_app->MainFrame();
    Idle();
    QMenu* menu = nullptr;
    for (QMenu* popup : frame.menuBarPopups(frame.currentMenuId())) {
        if ((menu = MenuHolding(*popup, id)))
            break;
    }
    if (!menu)
        Fail("no menu holds the command " + std::to_string(id));
    m_menuCommand = id;
    m_menuChose = false;
    m_menuShown = false;
    menu->exec(frame.mapToGlobal(QPoint(20, 20)));
    m_menuCommand = 0;
    if (!m_menuShown)
        Fail("the menu of the command " + std::to_string(id) + " did not show");
    QApplication::processEvents();
    m_commandsStale = true;
    if (!m_menuChose)
        Log("  it was disabled");
    return m_menuChose;
}

bool EditSoak::ToolbarButton(UINT toolbar, UINT id) {
    CMainFrame& frame = *m_app->MainFrame();
    Idle();
    QToolBar* bar = frame.toolbar(toolbar);
    QWidget* button = bar ? bar->widgetForAction(frame.actions().Action(id)) : nullptr;
    // A button with a list beside it runs the command from its left part.
    auto* dropDown =
        bar ? bar->findChild<CDropDownButton*>(QString("dropDown%1").arg(id)) : nullptr;
    if (!button)
        button = dropDown;
    if (!button)
        Fail("no toolbar button runs the command " + std::to_string(id));
    if (!button->isEnabled()) {
        Log("  it was disabled");
        return false;
    }
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier,
                      button == dropDown ? QPoint(4, button->height() / 2) : QPoint());
    QApplication::processEvents();
    m_commandsStale = true;
    return true;
}

void EditSoak::ChooseTool(Qt::Key key, bool byKey) {
    static constexpr std::pair<Qt::Key, UINT> kCommands[] = {
        {Qt::Key_S, ID_DRAW_SELECT},  {Qt::Key_W, ID_DRAW_WIRE}, {Qt::Key_B, ID_DRAW_BUS},
        {Qt::Key_L, ID_DRAW_LINE},    {Qt::Key_R, ID_DRAW_RECT}, {Qt::Key_N, ID_DRAW_ROUNDRECT},
        {Qt::Key_E, ID_DRAW_ELLIPSE}, {Qt::Key_A, ID_DRAW_ARC},  {Qt::Key_P, ID_DRAW_POLYGON},
        {Qt::Key_Z, ID_DRAW_BEZIER},  {Qt::Key_T, ID_DRAW_TEXT}};
    const auto* entry = std::find_if(std::begin(kCommands), std::end(kCommands),
                                     [key](const auto& command) { return command.first == key; });
    switch (Pick(byKey ? 4 : 2)) {
        case 0:
            Log("the tool of " + KeyName(key) + " from the Draw menu");
            MenuCommand(entry->second);
            return;
        case 1:
            Log("the tool of " + KeyName(key) + " by its toolbar button");
            ToolbarButton(IDR_DRAWING_TOOLBAR, entry->second);
            return;
        default:
            Log("tool key " + KeyName(key));
            Press(key);
            return;
    }
}

void EditSoak::SwitchWindow() {
    Use(Other());
}

void EditSoak::FollowActiveWindow() {
    CChildFrame* active = m_app->MainFrame()->ActiveChildFrame();
    for (Window& window : m_windows) {
        if (active && active->view() == window.view && m_window != &window) {
            Log("  the other window became the active one");
            m_window = &window;
        }
    }
}

void EditSoak::BackToSelectTool() {
    ReleaseHeldButton();
    ToolManager& tools = *GetToolManager();
    for (int i = 0;
         i < 3 && (m_window->view->TextEditor() || tools.state.currentShape != kToolSelect ||
                   tools.CurrentTool()->HasOpenObject());
         ++i)
        Press(Qt::Key_Escape);
    if (tools.state.currentShape != kToolSelect) {
        m_window->view->setFocus();
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
