#pragma once
// A soak of seeded random edits made as a user makes them: mouse and key events, menu commands,
// toolbar buttons and their pickers and lists, palettes, the Files page and dropped files on the
// two windows of a running program, each on a wired sheet of parts of several devices (see
// EditSoakSheet) with a title block, with pasted objects placed. Every tool draws; tool keys,
// Esc, Enter, right clicks, the menus' End, undo and redo, saves, closes, pickers, drops and the
// other window's keys, commands and clicks (switched to or not) come in the middle of gestures,
// a shape being sized with the button held down among them; texts are typed, copied and pasted
// in place and on the sheet with the clipboard empty and full, and edited in place before
// commands; property sheets are accepted untouched after every page was shown.
//
// Before every look at the documents' bytes the links hold both ways, nothing needs what the
// save's purge would repair, and no tool or selection holds an object that left its document.
// In each window a recorded step (told by its identity in the undo list) undoes to the bytes
// before it and redoes to the bytes after it, with the keys, at once; no step done before it is
// taken back; a step that records nothing changes no byte, and an untouched OK no netlist line
// either; an undo or redo the list cannot do, a message box or a window nobody expected, a window
// or question that comes while a gesture or a text edit is open, and a gesture or text edit left
// open by a save, a command that ran, a picker's choice or a drop fail, and so do an undo or redo
// list that does not drop down from its enabled button or does not show every step it can take as
// it opens, a record of the Files page whose double click starts no placing and a title block
// that does not show the last save. At the end each window's history is rewound and replayed
// through every state it passed.
//
// Each step is written to stderr before it runs, so that a crash, a sanitizer report or a hang
// names its seed and step.

#include <QPointer>
#include <QTimer>
#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "gui/dialogs/objects/PinSheetDlg.h"
#include "gui/dialogs/objects/SymbolPropertiesSheet.h"
#include "gui/dialogs/objects/WireSheetDlg.h"
#include "model/net/WireSheet.h"
#include "model/symbol/PinSheet.h"
#include "model/symbol/SymbolSheet.h"
#include "model/undo/UndoList.h"
#include "platform/Geometry.h"
#include "platform/Types.h"
#include "platform/UserPrompt.h"
#include "support/TestSupport.h"

class CDrawDoc;
class CDrawObj;
class CDrawView;
class CPin;
class CPropertySheet;
class CTextBox;
class CSchematicQtApp;
class CWire;
class QAction;
class QDialog;
class QMenu;
class QPoint;
class QToolBar;

// The steps of each kind that recorded an edit, over every seed run.
using SoakTally = std::map<std::string, int>;

// The soak's own copy of the standard library's files, in its folder.
std::filesystem::path SoakLibraries(const testsupport::TempDir& dir);

// The kinds of step that must record an edit now and then.
const std::vector<std::string>& RecordingSoakSteps();

// Message boxes take the answer set for the next one, else their default answer; what they said
// is kept for the step's check, and seen is told of each as it shows.
class QuietPrompt : public IUserPrompt {
public:
    QuietPrompt() : m_previous(SetUserPrompt(this)) {}
    ~QuietPrompt() override { SetUserPrompt(m_previous); }
    QuietPrompt(const QuietPrompt&) = delete;
    QuietPrompt& operator=(const QuietPrompt&) = delete;
    int MessageBox(const CString& text, const CString&, UINT type) override {
        shown.push_back(text.str());
        if (seen)
            seen(text.str());
        const int given = std::exchange(answer, 0);
        const int chosen = !given && choose ? choose(text.str()) : 0;
        return given ? given : chosen ? chosen : DefaultMessageBoxAnswer(type);
    }
    std::vector<std::string> shown;
    int answer = 0;
    std::function<void(const std::string&)> seen;
    std::function<int(const std::string&)> choose;  // an answer for the message, or 0

private:
    IUserPrompt* m_previous;
};

class EditSoak {
public:
    EditSoak(unsigned seed, SoakTally& tally);
    ~EditSoak();
    EditSoak(const EditSoak&) = delete;
    EditSoak& operator=(const EditSoak&) = delete;

    // The first fault in steps random steps and the rewind and replay after them, with the steps
    // that led to it; empty when none.
    std::string Run(int steps);

private:
    using Bytes = std::vector<BYTE>;

    // A schematic window of the program: its view and document, the file it is saved to, and the
    // document's bytes at each place of the undo list's cursor, and the cursor's place.
    struct Window {
        CDrawView* view = nullptr;
        CDrawDoc* doc = nullptr;
        std::string path;
        std::vector<Bytes> states;
        std::size_t done = 0;
        bool replaced = false;  // closed and opened anew by the step running
    };

    // Steps (EditSoakSteps.cpp)
    static constexpr int kStepChoices = 28;
    void Step();
    int NextStepKind();
    void DragSelection();
    // The bounds of the selection do not fit in the sheet's drawing area.
    bool SelectionOutgrowsSheet() const;
    void TransformSelection();
    void DeleteSelection();
    void CopyAndPaste();
    void Place();
    void PlaceFromPalette();
    void PlaceFromFilesList();
    void DrawWire();
    void PickUpWireEnd();
    void DrawShape();
    void DrawPolygon();
    void TypeText();
    void EditTextInPlace();
    void ExpectSheet(Qt::KeyboardModifiers modifiers);
    void AcceptPropertiesUntouched();
    void AlignSelection();
    void SaveInGesture();
    void PropertiesInGesture();
    void MenuCommandInGesture();
    void UsePicker();
    void DropFile();
    void CloseInGesture();
    void AcrossWindows();
    void BesideTheOtherWindow();
    void UndoRun(bool undo);
    void RewindAndReplay();
    void InsertTitleBlock();
    // The title block shows when and to which file the document was saved.
    void ExpectSaveShown();

    // Gestures (EditSoakSteps.cpp)
    // Ends an open wire, wire drag or polygon at the mouse's place as a user might: a double
    // click, Esc, a right click and a choice of its menu (the entry starting with "End",
    // Cancel, or none), another tool's key, undo and redo, or target; Esc when it is still open.
    void EndOpenGesture(QPoint at, const std::function<void()>& target);
    void PressToolKey();
    bool PressKeyOfAGesture(std::size_t road);
    void ActInTheOtherWindow(std::size_t road);
    // Opens a random gesture and leaves it open: a wire or bus, a polygon or Bezier curve clicked
    // point by point, a wire end picked up, pasted objects carried, a text being typed, or a
    // shape being sized with the button held down.
    void OpenGesture();
    // A text's editor opened by a double click: the text, or null when none opened.
    CTextBox* OpenTextInPlace();
    // "ab" typed into the editor open over text. When the text is a part's identifier, the
    // question the program asks when that identifier is taken may come as the edit ends.
    void TypeInPlace(const CTextBox& text);
    // The focus taken from the text's editor by the view, as a click elsewhere takes it: the
    // edit ends.
    void LeaveEditor();
    // A gesture left open after an interruption: Return in a text's editor, or ended as a user
    // ends a gesture.
    void EndGestureLeftOpen();
    // The button held down by a gesture left open comes up where it went down (in the window
    // the current one when that window closed).
    void ReleaseHeldButton();
    // What a save, a command that ran, a picker's choice or a drop leave: no gesture and no text
    // edit open.
    void ExpectEnded(const std::string& after);
    // The open gesture or text edit of any window, empty when none.
    std::string OpenGestureName() const;
    // The text edit, placing or gesture holding one of its objects open in the window, empty
    // when none.
    std::string OpenGestureIn(const Window& window) const;
    // One of the commands that end a gesture before they run: a save, Alt+Enter, a menu command,
    // a toolbar tool button, a picker or a drop.
    void InterruptGesture();
    void Save();
    void PressAltEnter();
    void RandomMenuCommand();
    // The toolbar's Undo, by its button or the first row of its list, then its Redo: what the
    // gesture recorded is taken back and done again.
    void UndoAndRedoOnToolbar();
    // The Undo (Redo) button's list dropped down and its first count rows chosen with the keys;
    // its rows must be every step the list can undo (redo) as it shows, and it must show when
    // the button is enabled. False when the button was disabled.
    bool UndoFromList(bool undo, int count);
    // A picker of the drawing toolbar chosen from, or left with Esc.
    void ChooseFromPicker();
    // A small file dropped on the sheet: it becomes an embedded object.
    void Drop(QPoint at);
    // The tool of the key chosen by the key (unless byKey is false), the Draw menu or the
    // drawing toolbar's button.
    void ChooseTool(Qt::Key key, bool byKey = true);
    void SetClipboard();
    void Click(QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void DoubleClick(QPoint at);
    void RightClick(QPoint at, const char* choice);
    void MoveTo(QPoint at);
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // As the window's idle time before a key or click: the main window active, posted events
    // run, the commands' states brought up to date.
    void Idle();
    // The command chosen from the menu bar's menu that holds it, as the user chooses it; false
    // when it was disabled (the menu closes).
    bool MenuCommand(UINT id);
    // The button of the command clicked on the toolbar; false when it was disabled.
    bool ToolbarButton(UINT toolbar, UINT id);
    // Ctrl+F6: the other window becomes the active one.
    void SwitchWindow();
    // The soak works in the window the program made active.
    void FollowActiveWindow();
    // Esc, as often as it takes, ends whatever a gesture left running; then S.
    void BackToSelectTool();
    // A free pin of a part or the loose pin, or null.
    CPin* FreePin();
    // A random point of the sheet's middle, on the grid.
    CPoint RandomPoint();

    // The checks (EditSoak.cpp)
    // Runs a gesture. When it recorded a step, Ctrl+Z must give back the bytes before and
    // Ctrl+Y the bytes after, at once; when not, nothing may have changed. Back at the select
    // tool the bytes are still those.
    // Every window is looked at so, the one the gesture ended in first.
    void Edit(const std::string& kind, const std::function<void()>& gesture);
    void UndoAndRedoAtOnce(StepId last, const Bytes& before, const Bytes& after);
    // The number of steps done in the window's undo list.
    std::size_t DoneCount() const;
    void Record(const Bytes& after);
    void ExpectState(const std::string& when);
    // Ctrl+Z and Ctrl+Y, which must move the list's cursor.
    void Undo();
    void Redo();
    // In the window (in every window with everyWindow): the links, the purge's repairs, the
    // objects held by the view, the buses' bounds and the attribute texts' values; in every
    // window the objects held by the tools.
    void Audit(const std::string& when, bool everyWindow = false);
    // Message boxes shown and windows answered since the last look.
    void CheckWindows(const std::string& when);
    // A part of the selection, or the owner of a text of it, whose device does not fit it (its
    // name was edited): the properties sheet refuses its untouched OK.
    bool SelectsPartOffItsDevice() const;
    // The selection's only pin has no name (a net connector's pin takes the connector's name,
    // which a connector taken from a library has not yet): the pin page refuses the untouched
    // OK of the sheet, as it refuses any pin without a name.
    bool SelectsOneUnnamedPin() const;
    // A question or refusal that ending the step's text edit may bring.
    bool IsEditMessage(const std::string& text) const;
    [[noreturn]] void Fail(const std::string& what);

    // The program's windows (EditSoak.cpp)
    // The second window at the start, or a new one for a window closed: a new sheet in it,
    // saved to a file of its own, its history empty.
    bool OpenWindow(Window& window);
    bool SaveToNewFile(Window& window);
    // The window the soak works in: the active one.
    void Use(Window& window);
    Window& Other();
    void AnswerWindows();
    void ChooseFromMenu(QMenu& menu);
    void AnswerDialog(QDialog& dialog);
    static void ShowEveryPage(CPropertySheet& sheet);

    // The editor's side (EditSoak.cpp)
    void Command(UINT id);
    CUndoList& List();
    void SelectSome(int most);
    std::vector<CDrawObj*> Selection() const;
    std::vector<CDrawObj*> ObjectsOfType(std::initializer_list<int> types) const;
    std::vector<CDrawObj*> WiresWithAFreeEnd() const;
    QWidget* Port() const;
    QPoint Pixel(CPoint sheet) const;
    static QPoint PixelIn(const Window& window, CPoint sheet);
    std::string ProtelNetlist();
    Bytes DocumentBytes();

    // The seed's choices and the log
    std::size_t Pick(std::size_t count);
    int Between(int low, int high);
    void Log(const std::string& line);
    static std::string Describe(CPoint point);
    std::string SelectionText() const;

    unsigned m_seed;
    int m_files = 0;  // the files the windows were saved to
    std::mt19937 m_random;
    std::vector<int> m_round;  // the kinds of step left in this round
    SoakTally& m_tally;
    int m_step = 0;
    bool m_rewinding = false;
    std::ostringstream m_log;

    testsupport::TempDir m_dir;
    std::unique_ptr<CSchematicQtApp> m_app;
    QuietPrompt m_prompt;
    CWireSheetRunner m_wireSheets;
    CPinSheetRunner m_pinSheets;
    CSymbolSheetRunner m_symbolSheets;
    ScopedInstall<IWireSheetRunner> m_installedWireSheets{m_wireSheets};
    ScopedInstall<IPinSheetRunner> m_installedPinSheets{m_pinSheets};
    ScopedInstall<ISymbolSheetRunner> m_installedSymbolSheets{m_symbolSheets};
    std::array<Window, 2> m_windows;
    Window* m_window = &m_windows[0];
    // The soak selected or ran a command itself since the window last brought its commands'
    // states up to date.
    bool m_commandsStale = false;

    // The windows: answered on a timer while a gesture or command waits for them.
    QTimer m_answerer;
    bool m_sheetAwaited = false;
    const char* m_menuChoice = nullptr;  // the start of the menu entry to choose; null: none
    UINT m_menuCommand = 0;              // else the command to choose
    bool m_menuChose = false;
    bool m_menuShown = false;
    QPointer<QDialog> m_answered;
    std::vector<std::string> m_windowFaults;
    std::multiset<std::string> m_expectedMessages;  // the messages the step may show
    bool m_refusalExpected = false;                 // the sheet awaited may refuse its OK
    std::string m_editQuestion;  // a question the end of the text edit may ask, while it ends
    // The start of the refusal of a value typed in place that the owner's check refuses; the
    // refusal is answered Cancel, which ends the edit with nothing changed.
    std::string m_editRefusal;
    bool m_pinsCopied = false;   // the clipboard holds loose pins alone
    bool m_buttonHeld = false;   // the left button is held down by a gesture left open
    QPointer<QWidget> m_heldOn;  // on this sheet
    QPoint m_heldAt;
};
