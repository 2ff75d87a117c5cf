#include "model/undo/UndoList.h"

#include <algorithm>
#include <string>

#include "model/app/SchematicApp.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/undo/MultiCmd.h"
#include "platform/AppServices.h"
#include "platform/UserPrompt.h"

namespace {

std::size_t ReadDepth() {
    int depth = CUndoList::kDefaultDepth;
    if (CSchematicApp* app = GetApp())
        depth = static_cast<int>(app->GetProfileInt("Settings", "UndoDepth", depth));
    return static_cast<std::size_t>(std::max(depth, 1));
}

// "n - Name": the name's first character made upper case when it is a lower-case letter.
CString Row(std::size_t number, const char* name) {
    std::string row = std::to_string(number) + " - " + (name ? name : "");
    std::size_t first = row.find(" - ") + 3;
    if (first < row.size() && row[first] >= 'a' && row[first] <= 'z')
        row[first] = static_cast<char>(row[first] - 'a' + 'A');
    return CString(std::move(row));
}

StepId NewStepId() {
    static StepId last = kNoStep;
    return ++last;
}

}  // namespace

CUndoList::CUndoList(CDrawDoc* doc) : m_doc(doc), m_depth(ReadDepth()) {}

BOOL CUndoList::Execute(CCommand* command) {
    if (!command)
        return FALSE;
    std::unique_ptr<CCommand> owned(command);
    const bool wasModified = m_doc->IsModified();
    {
        WaitCursor wait;
        if (!owned->Do(m_doc))
            return FALSE;
        m_doc->SetModifiedFlag();
    }
    return Record(owned.release(), wasModified);
}

BOOL CUndoList::Add(CCommand* command) {
    return Record(command, m_doc->IsModified());
}

BOOL CUndoList::Record(CCommand* command, bool wasModified) {
    if (!command)
        return FALSE;
    m_commands.resize(m_done);
    m_commands.push_back({std::unique_ptr<CCommand>(command), NewStepId(), wasModified});
    while (m_commands.size() > m_depth)
        m_commands.pop_front();
    m_done = m_commands.size();
    NoteChange(*command);
    return TRUE;
}

BOOL CUndoList::Undo() {
    if (!CanUndo())
        return FALSE;
    if (UndoAtCursor())
        return TRUE;
    const CString name = GetUndoName();
    m_commands.erase(m_commands.begin(), m_commands.begin() + std::ptrdiff_t(m_done));
    m_done = 0;
    AfxMessageBox(CString("\"") + name + "\" could not be undone; the steps before it can no " +
                      "longer be undone.",
                  MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

BOOL CUndoList::Redo() {
    if (!CanRedo())
        return FALSE;
    bool done = false;
    {
        WaitCursor wait;
        m_doc->UpdateAllViews(nullptr, kHintDeselect);
        done = m_commands[m_done].command->Do(m_doc);
    }
    if (!done) {
        AfxMessageBox(CString("\"") + GetRedoName() + "\" could not be redone.",
                      MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    ++m_done;
    NoteChange(*m_commands[m_done - 1].command);
    return TRUE;
}

int CUndoList::Undo(int count) {
    int done = 0;
    while (done < count && Undo())
        ++done;
    return done;
}

int CUndoList::Redo(int count) {
    int done = 0;
    while (done < count && Redo())
        ++done;
    return done;
}

BOOL CUndoList::CancelLast() {
    if (!CursorAtTail() || !UndoAtCursor(m_commands.back().wasModified))
        return FALSE;
    m_commands.pop_back();
    m_done = m_commands.size();
    return TRUE;
}

BOOL CUndoList::CancelStep(StepId step) {
    if (step == kNoStep || !CursorAtTail() || m_commands.back().id != step)
        return FALSE;
    return CancelLast();
}

BOOL CUndoList::Merge(CCommand* command) {
    if (!command || !CursorAtTail())
        return FALSE;
    std::unique_ptr<CCommand>& last = m_commands.back().command;
    auto* multi = DYNAMIC_DOWNCAST(CMultiCmd, last.get());
    if (!multi) {
        auto joined = std::make_unique<CMultiCmd>(last->GetName());
        joined->Append(last.release());
        multi = joined.get();
        last = std::move(joined);
    }
    multi->Append(command);
    NoteChange(*command);
    return TRUE;
}

const char* CUndoList::GetUndoName() const {
    return CanUndo() ? m_commands[m_done - 1].command->GetName() : "";
}

const char* CUndoList::GetRedoName() const {
    return CanRedo() ? m_commands[m_done].command->GetName() : "";
}

std::vector<CString> CUndoList::FillUndoList() const {
    std::vector<CString> rows;
    for (std::size_t i = m_done; i > 0; --i)
        rows.push_back(Row(rows.size() + 1, m_commands[i - 1].command->GetName()));
    return rows;
}

std::vector<CString> CUndoList::FillRedoList() const {
    std::vector<CString> rows;
    for (std::size_t i = m_done; i < m_commands.size(); ++i)
        rows.push_back(Row(rows.size() + 1, m_commands[i].command->GetName()));
    return rows;
}

// Undoes the command at the cursor and moves the cursor back over it.
BOOL CUndoList::UndoAtCursor(bool modified) {
    {
        WaitCursor wait;
        m_doc->UpdateAllViews(nullptr, kHintDeselect);
        if (!m_commands[m_done - 1].command->Undo(m_doc))
            return FALSE;
        --m_done;
    }
    NoteChange(*m_commands[m_done].command, modified);
    return TRUE;
}

void CUndoList::NoteChange(const CCommand& command, bool modified) {
    std::vector<CDrawObj*> objects;
    if (command.GetChangedObjects(objects))
        m_doc->GetChangeLog().Note(objects);
    else
        m_doc->GetChangeLog().NoteUnknown();
    m_doc->SetModifiedFlag(modified);
    GetAppServices().NotifyDocumentChanged(m_doc, kDocumentContentChanged);
}
