#pragma once
// A soak of seeded random edits made as a user makes them: mouse and key events on the view of
// a running program, on a wired sheet of parts of several devices (see EditSoakSheet). Every
// tool draws; tool keys, Esc, right clicks, undo and redo come in the middle of gestures; texts
// are typed, copied and pasted in place and on the sheet with the clipboard empty and full;
// property sheets are accepted untouched after every page was shown.
//
// Before every look at the document's bytes the links hold both ways, nothing needs what the
// save's purge would repair, and no tool or selection holds an object that left the document.
// A recorded step undoes to the bytes before it and redoes to the bytes after it, with the keys,
// at once; a step that records nothing changes no byte, and an untouched OK no netlist line
// either; an undo or redo the list cannot do, a message box or a window nobody expected fails.
// At the end the whole history is rewound and replayed through every state it passed.
//
// Each step is written to stderr before it runs, so that a crash, a sanitizer report or a hang
// names its seed and step.

#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "gui/dialogs/objects/PinSheetDlg.h"
#include "gui/dialogs/objects/SymbolPropertiesSheet.h"
#include "gui/dialogs/objects/WireSheetDlg.h"
#include "model/net/WireSheet.h"
#include "model/symbol/PinSheet.h"
#include "model/symbol/SymbolSheet.h"
#include "platform/Geometry.h"
#include "platform/Types.h"
#include "platform/UserPrompt.h"
#include "support/TestSupport.h"

class CCommand;
class CDrawDoc;
class CDrawObj;
class CDrawView;
class CPin;
class CPropertySheet;
class CSchematicQtApp;
class CUndoList;
class CWire;
class QDialog;
class QMenu;
class QPoint;

// The steps of each kind that recorded an edit, over every seed run.
using SoakTally = std::map<std::string, int>;

// The kinds of step that must record an edit now and then.
const std::vector<std::string>& RecordingSoakSteps();

// Message boxes take their default answer; what they said is kept for the step's check.
class QuietPrompt : public IUserPrompt {
public:
    QuietPrompt() : m_previous(SetUserPrompt(this)) {}
    ~QuietPrompt() override { SetUserPrompt(m_previous); }
    QuietPrompt(const QuietPrompt&) = delete;
    QuietPrompt& operator=(const QuietPrompt&) = delete;
    int MessageBox(const CString& text, const CString&, UINT type) override {
        shown.push_back(text.str());
        return DefaultMessageBoxAnswer(type);
    }
    std::vector<std::string> shown;

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

    // Steps (EditSoakSteps.cpp)
    static constexpr int kStepChoices = 17;
    void Step();
    int NextStepKind();
    void DragSelection();
    void TransformSelection();
    void DeleteSelection();
    void CopyAndPaste();
    void Place();
    void DrawWire();
    void PickUpWireEnd();
    void DrawShape();
    void DrawPolygon();
    void TypeText();
    void AcceptPropertiesUntouched();
    void AlignSelection();
    void UndoRun(bool undo);
    void RewindAndReplay();

    // Gestures (EditSoakSteps.cpp)
    // Ends an open wire, wire drag or polygon at the mouse's place as a user might: a double
    // click, Esc, a right click and a choice of its menu (the entry starting with "End",
    // Cancel, or none), another tool's key, undo and redo, or target; Esc when it is still open.
    void EndOpenGesture(QPoint at, const std::function<void()>& target);
    void PressToolKey();
    void SetClipboard();
    void Click(QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void DoubleClick(QPoint at);
    void RightClick(QPoint at, const char* choice);
    void MoveTo(QPoint at);
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
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
    void Edit(const std::string& kind, const std::function<void()>& gesture);
    void UndoAndRedoAtOnce(const CCommand* last, const Bytes& before, const Bytes& after);
    void Record(const Bytes& after);
    void ExpectState(const std::string& when);
    // Ctrl+Z and Ctrl+Y, which must move the list's cursor.
    void Undo();
    void Redo();
    // The links, the purge's repairs, the objects held by the tools and the view, the buses'
    // bounds and the attribute texts' values.
    void Audit(const std::string& when);
    // Message boxes shown and windows answered since the last look.
    void CheckWindows(const std::string& when);
    [[noreturn]] void Fail(const std::string& what);

    // The program's windows (EditSoak.cpp)
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
    std::string ProtelNetlist();
    Bytes DocumentBytes();

    // The seed's choices and the log
    std::size_t Pick(std::size_t count);
    int Between(int low, int high);
    void Log(const std::string& line);
    static std::string Describe(CPoint point);
    std::string SelectionText() const;

    unsigned m_seed;
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
    CDrawView* m_view = nullptr;
    CDrawDoc* m_doc = nullptr;
    // The soak selected or ran a command itself since the window last brought its commands'
    // states up to date.
    bool m_commandsStale = false;

    // The windows: answered on a timer while a gesture or command waits for them.
    QTimer m_answerer;
    bool m_sheetAwaited = false;
    const char* m_menuChoice = nullptr;  // the start of the menu entry to choose; null: none
    bool m_menuShown = false;
    QPointer<QDialog> m_answered;
    std::vector<std::string> m_windowFaults;
    std::string m_expectedMessage;  // a message the step may show
    bool m_pinsCopied = false;      // the clipboard holds loose pins alone

    // The document's bytes at each place of the undo list's cursor, and the cursor's place.
    std::vector<Bytes> m_states;
    std::size_t m_done = 0;
};
