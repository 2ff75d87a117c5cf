#include "shell/view/EditSoak.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDialog>
#include <QFocusEvent>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <algorithm>
#include <iostream>
#include <set>

#include "drawtools/PlaceTool.h"
#include "drawtools/SelectTool.h"
#include "drawtools/ToolManager.h"
#include "drawtools/WireDragTool.h"
#include "gui/dialogs/commands/NetsShortedDlg.h"
#include "gui/kit/PropertySheet.h"
#include "model/app/SchematicApp.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/geometry/PlaneGeometry.h"
#include "model/net/Bus.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "model/undo/UndoList.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "netlist/writers/ProtelFormat.h"
#include "platform/SettingsStore.h"
#include "resources/CommandIds.h"
#include "shell/app/SchematicQtApp.h"
#include "shell/app/SplashWnd.h"
#include "shell/commands/CommandActions.h"
#include "shell/frames/ChildFrame.h"
#include "shell/frames/MainFrame.h"
#include "shell/view/DrawView.h"
#include "shell/view/EditSoakSheet.h"
#include "support/DocumentBytes.h"
#include "support/LinkAudit.h"

namespace {

struct SoakFailure {
    std::string what;
};

// Deeper than any soak's history: a list at its depth drops its oldest step as it records one,
// which a gesture that records and takes back its own step would leave as a step taken back.
constexpr int kUndoDepth = 100000;
constexpr QPoint kCursorStart(10, 10);

// Pasted objects follow the mouse to be placed; the palettes hold the standard library's
// symbols, from a copy of its files that the soak's library commands may change and that no
// other soak running beside it holds open; the undo lists keep every step.
std::unique_ptr<CSchematicQtApp> StartProgram(const testsupport::TempDir& dir) {
    // Where the program reads the cursor (a key standing in for the mouse), it is where the
    // platform starts it, whatever an earlier test left.
    QCursor::setPos(kCursorStart);
    std::filesystem::copy(VOSK_BINARY_DIR "/Libraries", SoakLibraries(dir),
                          std::filesystem::copy_options::recursive);
    SettingsStore settings(dir / "settings.reg");
    settings.WriteProfileInt("Settings", "Options", int(kOptionPlaceOnPaste));
    settings.WriteProfileInt("Settings", "UndoDepth", kUndoDepth);
    settings.WriteProfileString("Directories", "stdlib", SoakLibraries(dir).string().c_str());
    settings.Save();
    auto app = std::make_unique<CSchematicQtApp>(
        dir / "settings.reg", QStringList{QStringLiteral(VOSK_SOURCE_DIR "/resources/help")});
    const bool started = app->InitInstance({});
    delete CSplashWnd::Current();
    CSplashWnd::EnableSplashScreen(false);
    // Whether it started and became active is looked at by the soak.
    if (started) {
        app->MainFrame()->activateWindow();
        if (!QTest::qWaitForWindowActive(app->MainFrame()))
            return app;
    }
    return app;
}

std::string FirstDifference(const std::vector<BYTE>& now, const std::vector<BYTE>& expected) {
    const auto [at, _] = std::mismatch(now.begin(), now.end(), expected.begin(), expected.end());
    return "they differ from byte " + std::to_string(at - now.begin()) + " of " +
           std::to_string(now.size()) + " (" + std::to_string(expected.size()) + " expected)";
}

// The document's objects and their pins.
std::set<const CDrawObj*> ListedObjects(CDrawDoc& doc) {
    std::set<const CDrawObj*> listed;
    const CObList& objects = doc.GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        const auto* object = static_cast<const CDrawObj*>(objects.GetNext(pos));
        listed.insert(object);
        if (const CObList* pins = object->GetPinList()) {
            for (POSITION at = pins->GetHeadPosition(); at;)
                listed.insert(static_cast<const CDrawObj*>(pins->GetNext(at)));
        }
    }
    return listed;
}

constexpr const char* kLastSaved = "Last Saved";

// The texts on the sheet that show the document's attribute.
std::vector<CAttrText*> DocumentTexts(CDrawDoc& doc, const char* name) {
    std::vector<CAttrText*> texts;
    const CObList& objects = doc.GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* text = dynamic_cast<CAttrText*>(static_cast<CObject*>(objects.GetNext(pos)));
        if (text && text->GetOwnerDocument() == &doc && text->GetName() == name)
            texts.push_back(text);
    }
    return texts;
}

// A bus's stored bounds are those of its outline, which a sheet's copy of it takes.
bool FollowsOutline(const CBus& bus) {
    const std::vector<POINT> outline = bus.BuildOutline();
    if (outline.empty())
        return true;
    CRect bounds;
    PointsBoundingRect(outline.data(), static_cast<int>(outline.size()), bounds);
    return bounds == bus.GetPosition();
}

// The shapes of the tools that hold the object.
std::string HolderOf(const ToolManager& tools, const CDrawObj* object) {
    std::string shapes;
    for (int shape = kToolSelect; shape <= kToolDoubleArrowLine; ++shape) {
        std::vector<const CDrawObj*> held;
        if (const CDrawTool* tool = tools.FindTool(shape))
            tool->AddHeldObjects(held);
        if (std::find(held.begin(), held.end(), object) != held.end())
            shapes += (shapes.empty() ? "the tool of shape " : ", ") + std::to_string(shape);
    }
    return shapes;
}

}  // namespace

std::filesystem::path SoakLibraries(const testsupport::TempDir& dir) {
    return dir / "Libraries";
}

const std::vector<std::string>& RecordingSoakSteps() {
    static const std::vector<std::string> kinds = {"move",         "rotate or mirror",
                                                   "delete",       "copy and paste",
                                                   "draw a wire",  "pick up a wire end",
                                                   "draw a shape", "draw a polygon",
                                                   "type a text",  "align",
                                                   "undo",         "redo",
                                                   "drop a file"};
    return kinds;
}

EditSoak::EditSoak(unsigned seed, SoakTally& tally)
    : m_seed(seed), m_random(seed), m_tally(tally), m_app(StartProgram(m_dir)) {
    QGuiApplication::clipboard()->clear();
    m_prompt.seen = [this](const std::string& text) {
        if (const std::string open = OpenGestureName(); !open.empty() && !IsEditMessage(text))
            m_windowFaults.push_back("the message \"" + text + "\" came with " + open);
    };
    m_prompt.choose = [this](const std::string& text) {
        return !m_editRefusal.empty() && text.starts_with(m_editRefusal) ? IDCANCEL : 0;
    };
    CMainFrame* frame = m_app->MainFrame();
    if (!frame || !frame->ActiveChildFrame() || !frame->isActiveWindow())
        return;
    frame->resize(800, 640);
    frame->ActiveChildFrame()->showMaximized();
    auto* view = qobject_cast<CDrawView*>(frame->ActiveChildFrame()->view());
    if (!view)
        return;
    m_windows[0].view = view;
    m_windows[0].doc = &view->GetDocument();
    FillSoakSheet(*m_windows[0].doc);
    m_windows[0].view->ZoomToSheetRect(CRect(600, -300, 5400, -4200));
    if (!SaveToNewFile(m_windows[0]) || !OpenWindow(m_windows[1])) {
        m_windows[0].view = nullptr;
        return;
    }
    m_commandsStale = true;
    QObject::connect(&m_answerer, &QTimer::timeout, [this] { AnswerWindows(); });
    m_answerer.start(1);
}

EditSoak::~EditSoak() {
    m_answerer.stop();
    m_prompt.seen = nullptr;
    for (CDocumentBase* document : m_app->Documents().Documents())
        document->SetModifiedFlag(FALSE);
    if (CMainFrame* frame = m_app->MainFrame(); frame && frame->isVisible()) {
        frame->close();
        if (!frame->isVisible())
            m_app->ExitInstance(0);
    }
    m_app.reset();
}

std::string EditSoak::Run(int steps) {
    try {
        if (!m_windows[0].view || !m_windows[1].view)
            Fail("the program did not start with an active schematic window and a second one");
        Audit("at the start", true);
        for (Window& window : m_windows)
            window.states.push_back(testsupport::DocumentBytes(*window.doc));
        for (Window& window : {std::ref(m_windows[1]), std::ref(m_windows[0])}) {
            Use(window);
            Edit("show the net names", [this] {
                m_window->view->Select(nullptr);
                for (CDrawObj* wire : ObjectsOfType({kObjWire, kObjBus}))
                    m_window->view->Select(wire, true);
                Command(ID_SHOW_IDENTIFIER);
            });
            InsertTitleBlock();
        }
        for (m_step = 1; m_step <= steps; ++m_step)
            Step();
        m_step = steps;
        m_rewinding = true;
        for (Window& window : m_windows) {
            Use(window);
            RewindAndReplay();
        }
    } catch (const SoakFailure& failure) {
        std::ostringstream text;
        text << "seed " << m_seed << (m_rewinding ? ", in the rewind after step " : ", step ")
             << m_step << ": " << failure.what << "\nreplay with VOSK_SOAK_SEED=" << m_seed
             << " VOSK_SOAK_STEPS=" << m_step << "\nsteps:\n"
             << m_log.str();
        return text.str();
    }
    return {};
}

// Insert Title Block, its sheet accepted as it opened: the fields show the document's
// attributes, "Last Saved" and "File" among them, which every save brings up to date. (The
// sheet is answered on the timer, which does not run while it chooses from a menu.)
void EditSoak::ExpectSaveShown() {
    for (const char* name : {kLastSaved, "File"}) {
        for (CAttrText* text : DocumentTexts(*m_window->doc, name)) {
            if (text->GetText() != m_window->doc->GetAttribute(name))
                Fail(std::string("after the save the title block shows \"") +
                     text->GetText().str() + "\" for " + name + " \"" +
                     m_window->doc->GetAttribute(name).str() + "\"");
        }
    }
}

void EditSoak::InsertTitleBlock() {
    Edit("insert a title block", [this] {
        Idle();
        m_sheetAwaited = true;
        m_app->MainFrame()->ExecuteCommand(ID_DRAW_INSERT_TITLE_BLOCK);
        m_sheetAwaited = false;
        m_commandsStale = true;
    });
    if (std::string(List().GetUndoName()) != "add title block text")
        Fail("the sheet got no title block");
}

// ---------------------------------------------------------------------------------------------
// The checks

void EditSoak::Edit(const std::string& kind, const std::function<void()>& gesture) {
    Log(kind);
    struct Before {
        Window* window;
        Bytes bytes;
        StepId last;
        std::size_t done;
        std::string lastName;
    };
    std::vector<Before> befores;
    Window* const started = m_window;
    for (Window& window : m_windows) {
        window.replaced = false;
        m_window = &window;
        befores.push_back(
            {&window, DocumentBytes(), List().LastStep(), DoneCount(), List().GetUndoName()});
    }
    m_window = started;
    gesture();
    CheckWindows("after " + kind);
    Audit("after " + kind, true);
    // The window the gesture ended in first, as it left it.
    Window* const ended = m_window;
    std::stable_partition(befores.begin(), befores.end(),
                          [ended](const Before& before) { return before.window == ended; });
    for (const Before& before : befores) {
        if (before.window->replaced)
            continue;
        const std::string where =
            before.window == &m_windows[0] ? " in the first window" : " in the second window";
        // The other window is looked at in place, unless its steps are to be undone and redone
        // with its keys.
        m_window = before.window;
        const bool recorded = List().LastStep() != before.last;
        if (recorded)
            Use(*before.window);
        const Bytes after = DocumentBytes();
        if (DoneCount() < before.done)
            Fail(kind + " took back the step \"" + before.lastName + "\" done before it" + where);
        if (List().LastStep() == before.last) {
            if (after != before.bytes) {
                const std::string open = OpenGestureName();
                Fail(kind + " changed the document" + where + " without recording a step" +
                     (open.empty() ? "" : " (" + open + " is open)") + ": " +
                     FirstDifference(after, before.bytes));
            }
            // A step recorded and taken back at once (a wire begun and cancelled) still drops
            // the undone steps.
            if (!List().CanRedo())
                m_window->states.resize(m_window->done + 1);
        } else {
            if (!List().CanRedo())
                ++m_tally[kind];
            UndoAndRedoAtOnce(before.last, before.bytes, after);
        }
        if (before.window == ended || recorded) {
            BackToSelectTool();
            CheckWindows("back at the select tool" + where);
        }
        ExpectState("Esc back to the select tool" + where);
    }
    CChildFrame* active = m_app->MainFrame()->ActiveChildFrame();
    m_window = active && active->view() == m_windows[1].view ? &m_windows[1] : &m_windows[0];
    // A question about an identifier typed belongs to the gesture's step.
    m_editQuestion.clear();
    m_editRefusal.clear();
}

bool EditSoak::IsEditMessage(const std::string& text) const {
    return text == m_editQuestion || (!m_editRefusal.empty() && text.starts_with(m_editRefusal));
}

std::size_t EditSoak::DoneCount() const {
    return m_window->doc->GetUndoList().FillUndoList().size();
}

// The steps a gesture recorded (a text made and then typed records two) are undone with Ctrl+Z
// back to the bytes before it, and redone with Ctrl+Y through the same states to the bytes
// after it; they join the history. A gesture that left undone steps to redo recorded none: its
// Ctrl+Y redid steps of the history (its Ctrl+Z found nothing to undo), whose states are known.
void EditSoak::UndoAndRedoAtOnce(StepId last, const Bytes& before, const Bytes& after) {
    constexpr std::size_t kMostSteps = 4;
    const bool redidHistory = List().CanRedo();
    std::vector<Bytes> states{after};
    while (List().LastStep() != last) {
        Log(std::string(redidHistory ? "  redid \"" : "  recorded \"") + List().GetUndoName() +
            "\"");
        if (states.size() > kMostSteps)
            Fail("one gesture recorded more than " + std::to_string(kMostSteps) + " steps");
        Undo();
        Audit("after its undo");
        states.push_back(DocumentBytes());
    }
    if (states.back() != before)
        Fail("the bytes after its undo are not those before it: " +
             FirstDifference(states.back(), before));
    for (std::size_t i = states.size() - 1; i-- > 0;) {
        Redo();
        if (redidHistory)
            ++m_window->done;
        else
            Record(states[i]);
        ExpectState("its redo");
    }
}

// The state after a new step: the undone states are dropped, and the oldest ones the list no
// longer keeps.
void EditSoak::Record(const Bytes& after) {
    m_window->states.resize(m_window->done + 1);
    m_window->states.push_back(after);
    ++m_window->done;
    while (m_window->states.size() > std::size_t(List().GetCount()) + 1) {
        m_window->states.erase(m_window->states.begin());
        --m_window->done;
    }
}

void EditSoak::ExpectState(const std::string& when) {
    Audit("after " + when);
    const Bytes now = DocumentBytes();
    const Bytes& expected = m_window->states[m_window->done];
    if (now != expected)
        Fail("the bytes after " + when + " are not those of state " +
             std::to_string(m_window->done) + " of the history: " + FirstDifference(now, expected));
}

void EditSoak::Undo() {
    const StepId last = List().LastStep();
    const std::string name = List().GetUndoName();
    Press(Qt::Key_Z, Qt::ControlModifier);
    CheckWindows("Ctrl+Z");
    if (List().LastStep() == last)
        Fail(List().Undo() ? "Ctrl+Z did not reach the undo of \"" + name + "\""
                           : "the undo of \"" + name + "\" failed; the list did not move");
}

void EditSoak::Redo() {
    const StepId last = List().LastStep();
    const std::string name = List().GetRedoName();
    Press(Qt::Key_Y, Qt::ControlModifier);
    CheckWindows("Ctrl+Y");
    if (List().LastStep() == last)
        Fail(List().Redo() ? "Ctrl+Y did not reach the redo of \"" + name + "\""
                           : "the redo of \"" + name + "\" failed; the list did not move");
}

void EditSoak::Audit(const std::string& when, bool everyWindow) {
    std::set<const CDrawObj*> everywhere;
    for (const Window& window : m_windows) {
        CDrawDoc& doc = *window.doc;
        if (!everyWindow && &window != m_window) {
            const std::set<const CDrawObj*> listed = ListedObjects(doc);
            everywhere.insert(listed.begin(), listed.end());
            continue;
        }
        const std::string where =
            &window == &m_windows[0] ? " (the first window)" : " (the second window)";
        if (const std::string broken = testsupport::FirstBrokenLink(doc); !broken.empty())
            Fail(when + where + ": " + broken);
        if (const std::string repair = testsupport::FirstPurgeRepair(doc); !repair.empty())
            Fail(when + where + ", before the save's purge: " + repair);
        const std::set<const CDrawObj*> listed = ListedObjects(doc);
        everywhere.insert(listed.begin(), listed.end());
        const CObList& selection = window.view->GetSelection();
        for (POSITION pos = selection.GetHeadPosition(); pos;) {
            if (!listed.count(static_cast<const CDrawObj*>(selection.GetNext(pos))))
                Fail(when + where + ": the view's selection holds an object outside the document");
        }
        const CObList& objects = doc.GetObjects();
        for (POSITION pos = objects.GetHeadPosition(); pos;) {
            if (const auto* bus = dynamic_cast<const CBus*>(objects.GetAt(pos));
                bus && !FollowsOutline(*bus))
                Fail(when + where + ": the bounds of a bus are not those of its outline");
            const auto* text = dynamic_cast<CAttrText*>(objects.GetNext(pos));
            CDrawObj* owner = text ? text->GetOwnerObject() : nullptr;
            if (owner && text->GetText() != owner->GetAttr(text->GetName()))
                Fail(when + where + ": a text shows \"" + text->GetText().str() + "\" for " +
                     text->GetName().str() + " \"" + owner->GetAttr(text->GetName()).str() + "\"");
        }
    }
    const ToolManager& tools = *GetToolManager();
    for (const CDrawObj* held : tools.HeldObjects()) {
        if (!everywhere.count(held))
            Fail(when + ": a drawing tool holds an object outside the documents (" +
                 HolderOf(tools, held) + ")");
    }
}

std::string EditSoak::OpenGestureIn(const Window& window) const {
    ToolManager* tools = GetToolManager();
    if (!tools)
        return {};
    if (window.view->TextEditor())
        return "a text edited in place";
    if (tools->PlaceTool().IsPlacingIn(*window.view))
        return "objects being placed";
    // What the tools hold between events belongs to their open gestures.
    const std::set<const CDrawObj*> listed = ListedObjects(*window.doc);
    for (const CDrawObj* object : tools->HeldObjects()) {
        if (listed.count(object))
            return "a gesture holding one of its objects (" + OpenGestureName() + ")";
    }
    return {};
}

void EditSoak::CheckWindows(const std::string& when) {
    std::erase_if(m_prompt.shown, [this](const std::string& text) {
        return m_expectedMessages.count(text) > 0 || IsEditMessage(text);
    });
    if (!m_prompt.shown.empty()) {
        const std::string text = m_prompt.shown.front();
        m_prompt.shown.clear();
        Fail(when + ": an unexpected message \"" + text + "\"");
    }
    if (!m_windowFaults.empty()) {
        const std::string fault = m_windowFaults.front();
        m_windowFaults.clear();
        Fail(when + ": " + fault);
    }
}

bool EditSoak::SelectsPartOffItsDevice() const {
    for (CDrawObj* object : Selection()) {
        if (const auto* text = dynamic_cast<const CAttrText*>(object))
            object = text->GetOwnerObject();
        const CDevice* device = object ? object->GetDevice() : nullptr;
        if (device && object->GetObjType() == kObjSymbol && !device->IsCompatibleWith(object))
            return true;
    }
    return false;
}

bool EditSoak::SelectsOneUnnamedPin() const {
    std::vector<const CDrawObj*> pins;
    for (const CDrawObj* object : Selection()) {
        if (object->GetObjType() == kObjPin)
            pins.push_back(object);
    }
    return pins.size() == 1 && static_cast<const CPin*>(pins.front())->GetId().IsEmpty();
}

void EditSoak::Fail(const std::string& what) {
    throw SoakFailure{what};
}

// ---------------------------------------------------------------------------------------------
// The program's windows

bool EditSoak::OpenWindow(Window& window) {
    CMainFrame& frame = *m_app->MainFrame();
    CChildFrame* const before = frame.ActiveChildFrame();
    frame.ExecuteCommand(ID_FILE_NEW);
    CChildFrame* child = frame.ActiveChildFrame();
    auto* view = child && child != before ? qobject_cast<CDrawView*>(child->view()) : nullptr;
    if (!view)
        return false;
    child->showMaximized();
    window = Window{view, &view->GetDocument(), {}, {}, 0, false};
    FillSoakSheet(*window.doc);
    view->ZoomToSheetRect(CRect(600, -300, 5400, -4200));
    view->setFocus();
    m_window = &window;
    m_commandsStale = true;
    return SaveToNewFile(window);
}

// The file exists, so that a save writes to it without asking for a name.
bool EditSoak::SaveToNewFile(Window& window) {
    window.path = (m_dir / ("sheet" + std::to_string(++m_files) + ".sch")).string();
    window.doc->SetPathName(window.path.c_str(), FALSE);
    return window.doc->OnSaveDocument(window.path.c_str());
}

void EditSoak::Use(Window& window) {
    m_window = &window;
    CChildFrame* active = m_app->MainFrame()->ActiveChildFrame();
    if (!active || active->view() != window.view) {
        Log("Ctrl+F6");
        Press(Qt::Key_F6, Qt::ControlModifier);
        active = m_app->MainFrame()->ActiveChildFrame();
        if (!active || active->view() != window.view)
            Fail("Ctrl+F6 did not switch to the other window");
    }
    if (!window.view->TextEditor())
        window.view->setFocus();
}

EditSoak::Window& EditSoak::Other() {
    return m_window == &m_windows[0] ? m_windows[1] : m_windows[0];
}

void EditSoak::AnswerWindows() {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        ChooseFromMenu(*menu);
        return;
    }
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
        AnswerDialog(*dialog);
}

void EditSoak::ChooseFromMenu(QMenu& menu) {
    const QString choice = m_menuChoice ? QString::fromUtf8(m_menuChoice) : QString();
    const UINT command = std::exchange(m_menuCommand, 0);
    m_menuChoice = nullptr;
    m_menuShown = true;
    for (QAction* action : menu.actions()) {
        const bool chosen = command ? CommandActions::IdOf(action) == command
                                    : !choice.isEmpty() && !action->menu() &&
                                          action->text().remove('&').startsWith(choice);
        if (chosen && action->isEnabled()) {
            m_menuChose = true;
            menu.setActiveAction(action);
            QTest::keyClick(&menu, Qt::Key_Return);
            return;
        }
    }
    menu.close();
}

// A property sheet asked for is accepted as it opened, once every page was shown and every
// list on it given the focus; a sheet that stays open after its OK (unless it was to refuse
// it), and any other window, is a fault and is cancelled.
void EditSoak::AnswerDialog(QDialog& dialog) {
    // Named nets that a connection brings together, as when a wire of a named net ends on a
    // ground, ask which name stays: the first listed does.
    if (auto* shorted = qobject_cast<CNetsShortedDlg*>(&dialog)) {
        shorted->list()->setCurrentRow(0);
        shorted->accept();
        return;
    }
    const std::string title = dialog.windowTitle().toStdString();
    if (&dialog == m_answered) {
        if (!m_refusalExpected)
            m_windowFaults.push_back("the window \"" + title + "\" refused an untouched OK");
        dialog.reject();
        return;
    }
    m_answered = &dialog;
    if (const std::string open = OpenGestureName(); !open.empty())
        m_windowFaults.push_back("the window \"" + title + "\" came with " + open);
    auto* sheet = qobject_cast<CPropertySheet*>(&dialog);
    if (!sheet || !m_sheetAwaited) {
        m_windowFaults.push_back("an unexpected window \"" + title + "\"");
        dialog.reject();
        return;
    }
    ShowEveryPage(*sheet);
    sheet->accept();
}

void EditSoak::ShowEveryPage(CPropertySheet& sheet) {
    for (int i = sheet.PageCount() - 1; i >= 0; --i) {
        if (!sheet.SetCurrentPage(i))
            continue;
        for (QListWidget* list : sheet.CurrentPage()->findChildren<QListWidget*>()) {
            QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
            QApplication::sendEvent(list, &focus);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The editor's side

void EditSoak::Command(UINT id) {
    m_commandsStale = true;
    const CommandMap::Entry* entry = m_window->view->Commands().Find(id);
    if (!entry)
        Fail("the view has no command " + std::to_string(id));
    CmdUI ui;
    ui.id = id;
    if (entry->update)
        entry->update(ui);
    else
        ui.Enable(static_cast<bool>(entry->handler));
    if (ui.enabled && entry->handler)
        entry->handler(id);
}

CUndoList& EditSoak::List() {
    return m_window->doc->GetUndoList();
}

// Empties the selection and selects up to most random objects. Embedded objects are left out:
// a save numbers the storage of a copy of one anew, which its bytes hold, without a step.
void EditSoak::SelectSome(int most) {
    m_window->view->Select(nullptr);
    const CObList& objects = m_window->doc->GetObjects();
    const int count = Between(most > 0 ? 1 : 0, most);
    for (int i = 0; i < count && !objects.IsEmpty(); ++i) {
        auto* object = static_cast<CDrawObj*>(objects.GetAt(
            objects.FindIndex(static_cast<int>(Pick(std::size_t(objects.GetCount()))))));
        if (object->GetObjType() != kObjOle)
            m_window->view->Select(object, true);
    }
}

std::vector<CDrawObj*> EditSoak::Selection() const {
    std::vector<CDrawObj*> objects;
    const CObList& selection = m_window->view->GetSelection();
    for (POSITION pos = selection.GetHeadPosition(); pos;)
        objects.push_back(static_cast<CDrawObj*>(selection.GetNext(pos)));
    return objects;
}

std::vector<CDrawObj*> EditSoak::ObjectsOfType(std::initializer_list<int> types) const {
    std::vector<CDrawObj*> found;
    const CObList& objects = m_window->doc->GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        if (std::find(types.begin(), types.end(), object->GetObjType()) != types.end())
            found.push_back(object);
    }
    return found;
}

QWidget* EditSoak::Port() const {
    return m_window->view->viewport();
}

QPoint EditSoak::Pixel(CPoint sheet) const {
    const CPoint at = m_window->view->DocToClient(sheet);
    return QPoint(at.x, at.y);
}

QPoint EditSoak::PixelIn(const Window& window, CPoint sheet) {
    const CPoint at = window.view->DocToClient(sheet);
    return QPoint(at.x, at.y);
}

std::string EditSoak::ProtelNetlist() {
    CProtelFormat writer;
    std::ostringstream out;
    std::ostringstream log;
    CNetNode top(m_window->doc->GetPathName());
    writer.WriteHeader(m_window->doc->m_netlist, out, log);
    m_window->doc->m_netlist.Build(top, writer, out, log);
    writer.WriteBody(m_window->doc->m_netlist, top, out, log);
    return out.str();
}

// The bytes the edits made: a title block's "Last Saved", which every save sets anew without a
// step, is read as one value (the save's check looks at it).
EditSoak::Bytes EditSoak::DocumentBytes() {
    std::vector<std::pair<CAttrText*, CString>> saveTimes;
    for (CAttrText* text : DocumentTexts(*m_window->doc, kLastSaved)) {
        saveTimes.emplace_back(text, text->GetText());
        text->SetContentText("the last save");
    }
    Bytes bytes = testsupport::DocumentBytes(*m_window->doc);
    for (const auto& [text, shown] : saveTimes)
        text->SetContentText(shown);
    return bytes;
}

// ---------------------------------------------------------------------------------------------
// The seed's choices and the log

std::size_t EditSoak::Pick(std::size_t count) {
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(m_random);
}

int EditSoak::Between(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(m_random);
}

// Kept for the failure's report, and written at once to stderr, where a crash leaves it.
void EditSoak::Log(const std::string& line) {
    m_log << "  " << m_step << ": " << line << '\n';
    std::cerr << "soak seed " << m_seed << " step " << m_step << ": " << line << '\n';
}

std::string EditSoak::Describe(CPoint point) {
    return "(" + std::to_string(point.x) + ", " + std::to_string(point.y) + ")";
}

std::string EditSoak::SelectionText() const {
    std::string text;
    for (CDrawObj* object : Selection()) {
        CRect box = object->GetPosition();
        box.NormalizeRect();
        text += (text.empty() ? "of type " : ", ") + std::to_string(object->GetObjType()) + " at " +
                Describe(box.CenterPoint());
    }
    return text;
}
