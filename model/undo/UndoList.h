#pragma once
// CUndoList: the history of a document's commands, oldest first, with a cursor. Every command up
// to the cursor is done; every one after it is undone. The list owns its commands and keeps at
// most its depth of them ("Settings"/"UndoDepth" of the application, default 50).

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "model/undo/Command.h"
#include "platform/CString.h"

// Names one recorded step for as long as the list keeps it, and is never given to another
// step of any list: whoever recorded a step can take back that step and no other.
using StepId = std::uint64_t;
constexpr StepId kNoStep = 0;

class CUndoList {
public:
    static constexpr int kDefaultDepth = 50;

    // Reads the depth from the installed application's settings (the default without one); a
    // depth below 1 counts as 1.
    explicit CUndoList(CDrawDoc* doc);
    CUndoList(const CUndoList&) = delete;
    CUndoList& operator=(const CUndoList&) = delete;

    // Does the command and records it. FALSE for a null command, and when its Do fails: the
    // command is then deleted and the document left as it was (not marked modified). The list
    // owns the command in every case.
    BOOL Execute(CCommand* command);
    // Records a command that is already done: drops the undone ones, appends it and deletes the
    // oldest beyond the depth. Marks the document modified and tells the application. FALSE
    // (nothing recorded) for a null command.
    BOOL Add(CCommand* command);
    // Undoes the command at the cursor and moves the cursor back. FALSE when nothing is done, or
    // when the command's Undo fails: the document is then as before, no step before it can be
    // undone in order any more, so it and every earlier one leave the list, and the user is
    // told.
    BOOL Undo();
    // Redoes the command after the cursor and moves the cursor on. FALSE when nothing is undone,
    // or when the command's Do fails: it then stays undone, and the user is told.
    BOOL Redo();
    // Undo (Redo) up to count times, stopping at the first refusal; the number done.
    int Undo(int count);
    int Redo(int count);
    // Takes back and deletes the last recorded command, for an edit found unwanted right after
    // it was recorded. FALSE, changing nothing, unless the cursor is at the tail and the
    // command's Undo succeeds. A document that was unmodified when the command came is
    // unmodified again.
    BOOL CancelLast();
    // Takes back and deletes the step when it is the last recorded one and done, as CancelLast
    // does; FALSE, changing nothing, for any other step (one recorded after it, one undone,
    // one of another list).
    BOOL CancelStep(StepId step);
    // Joins a command that is already done to the last recorded one, so that both are undone in
    // one step named like the last one. FALSE, leaving the command with the caller, unless the
    // cursor is at the tail; otherwise the list owns it.
    BOOL Merge(CCommand* command);
    // The step at the cursor (a command merged into it keeps its name), or kNoStep.
    StepId LastStep() const { return m_done > 0 ? m_commands[m_done - 1].id : kNoStep; }

    BOOL CanUndo() const { return m_done > 0; }
    BOOL CanRedo() const { return m_done < m_commands.size(); }
    // The name of the command at the cursor (after it), or the empty string.
    const char* GetUndoName() const;
    const char* GetRedoName() const;
    // Rows for the undo (redo) drop-down: "1 - Name", "2 - Name"... for the done commands newest
    // first (the undone ones oldest first), the name's first letter in upper case. The caller
    // selects row 0.
    std::vector<CString> FillUndoList() const;
    std::vector<CString> FillRedoList() const;

    int GetCount() const { return static_cast<int>(m_commands.size()); }
    int GetDepth() const { return static_cast<int>(m_depth); }
    // The command at the cursor, or null.
    CCommand* GetLastDone() const {
        return m_done > 0 ? m_commands[m_done - 1].command.get() : nullptr;
    }

private:
    bool CursorAtTail() const { return !m_commands.empty() && m_done == m_commands.size(); }
    BOOL Record(CCommand* command, bool wasModified);
    // modified: the document's modified flag once the command is undone.
    BOOL UndoAtCursor(bool modified = true);
    // Notes what command changed in the document's change log, sets the document's modified
    // flag and tells the application.
    void NoteChange(const CCommand& command, bool modified = true);

    struct Step {
        std::unique_ptr<CCommand> command;
        StepId id;
        bool wasModified;  // the document's modified flag before the command
    };

    std::deque<Step> m_commands;  // oldest first
    std::size_t m_done = 0;       // the commands before this are done
    CDrawDoc* m_doc;
    std::size_t m_depth;
};
