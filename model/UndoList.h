#pragma once
// Undoable edits: CCommand is the base of every command, CMultiCmd joins several into one step,
// and CUndoList keeps a document's done commands with a cursor.

#include <memory>
#include <vector>

#include "platform/CString.h"
#include "platform/Object.h"

class CDrawDoc;

class CCommand : public CObject {
    DECLARE_DYNAMIC(CCommand)
public:
    // Performs (or performs again) the change; FALSE when it failed.
    virtual BOOL Do(CDrawDoc* doc);
    // Takes the change back; FALSE when it failed.
    virtual BOOL Undo(CDrawDoc* doc);
    // The lower-case label shown in the undo lists.
    virtual const char* GetName() const;

protected:
    CCommand() = default;
};

// Several commands undone and redone as one; it owns them.
class CMultiCmd : public CCommand {
    DECLARE_DYNAMIC(CMultiCmd)
public:
    explicit CMultiCmd(const char* name) : m_name(name) {}

    void Append(CCommand* command) { m_commands.emplace_back(command); }

    // Do runs the commands first to last, Undo last to first; both stop at the first failure.
    BOOL Do(CDrawDoc* doc) override;
    BOOL Undo(CDrawDoc* doc) override;
    const char* GetName() const override { return m_name.c_str(); }

private:
    std::vector<std::unique_ptr<CCommand>> m_commands;
    CString m_name;
};

// The history of a document's commands, oldest first. Every command up to the cursor is done;
// every one after it is undone. The list owns its commands.
class CUndoList {
public:
    static constexpr int kDefaultDepth = 50;

    explicit CUndoList(CDrawDoc* doc) : m_doc(doc) {}
    CUndoList(const CUndoList&) = delete;
    CUndoList& operator=(const CUndoList&) = delete;

    // Records a command that is already done: drops the undone ones, appends it and trims
    // the oldest beyond the depth. Marks the document modified and tells the application.
    // FALSE for a null command.
    BOOL Add(CCommand* command);
    BOOL Undo();
    BOOL Redo();
    // Undoes (when done) and deletes the last command; FALSE unless the cursor is at the tail.
    BOOL CancelLast();
    // Joins a done command to the last one, so both are undone in one step. FALSE, leaving the
    // command with the caller, unless the cursor is at the tail.
    BOOL Merge(CCommand* command);

    BOOL CanUndo() const { return m_done > 0; }
    BOOL CanRedo() const { return m_done < m_commands.size(); }
    int GetCount() const { return static_cast<int>(m_commands.size()); }
    // The command at the cursor, or null.
    CCommand* GetLastDone() const { return m_done > 0 ? m_commands[m_done - 1].get() : nullptr; }

private:
    bool CursorAtTail() const { return !m_commands.empty() && m_done == m_commands.size(); }
    void UndoAtCursor();
    void NoteChange();

    std::vector<std::unique_ptr<CCommand>> m_commands;  // oldest first
    std::size_t m_done = 0;                             // the commands before this are done
    CDrawDoc* m_doc;
    std::size_t m_depth = kDefaultDepth;
};
