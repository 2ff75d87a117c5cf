#include "model/UndoList.h"

#include "model/DocView.h"
#include "model/DrawDoc.h"
#include "platform/AppServices.h"

IMPLEMENT_DYNAMIC(CCommand, CObject)
IMPLEMENT_DYNAMIC(CMultiCmd, CCommand)

BOOL CCommand::Do(CDrawDoc* /*doc*/) {
    return FALSE;
}

BOOL CCommand::Undo(CDrawDoc* /*doc*/) {
    return FALSE;
}

const char* CCommand::GetName() const {
    return "";
}

BOOL CMultiCmd::Do(CDrawDoc* doc) {
    for (const auto& command : m_commands) {
        if (!command->Do(doc))
            return FALSE;
    }
    return TRUE;
}

BOOL CMultiCmd::Undo(CDrawDoc* doc) {
    for (auto it = m_commands.rbegin(); it != m_commands.rend(); ++it) {
        if (!(*it)->Undo(doc))
            return FALSE;
    }
    return TRUE;
}

BOOL CUndoList::Add(CCommand* command) {
    if (!command)
        return FALSE;
    NoteChange();
    m_commands.resize(m_done);
    m_commands.emplace_back(command);
    if (m_commands.size() > m_depth)
        m_commands.erase(m_commands.begin(),
                         m_commands.end() - static_cast<std::ptrdiff_t>(m_depth));
    m_done = m_commands.size();
    return TRUE;
}

BOOL CUndoList::Undo() {
    if (m_done == 0)
        return FALSE;
    UndoAtCursor();
    return TRUE;
}

BOOL CUndoList::Redo() {
    if (!CanRedo())
        return FALSE;
    CCommand* command = m_commands[m_done++].get();
    {
        WaitCursor wait;
        m_doc->UpdateAllViews(nullptr, kHintDeselect);
        command->Do(m_doc);
        m_doc->SetModifiedFlag();
    }
    GetAppServices().NotifyDocumentChanged(m_doc, kDocumentContentChanged);
    return TRUE;
}

BOOL CUndoList::CancelLast() {
    if (!CursorAtTail())
        return FALSE;
    UndoAtCursor();
    m_commands.pop_back();
    m_done = m_commands.size();
    return TRUE;
}

BOOL CUndoList::Merge(CCommand* command) {
    if (!command || !CursorAtTail())
        return FALSE;
    std::unique_ptr<CCommand>& last = m_commands.back();
    if (!last->IsKindOf(RUNTIME_CLASS(CMultiCmd))) {
        auto multi = std::make_unique<CMultiCmd>(last->GetName());
        multi->Append(last.release());
        last = std::move(multi);
    }
    static_cast<CMultiCmd*>(last.get())->Append(command);
    return TRUE;
}

// Moves the cursor back over the last done command and undoes it.
void CUndoList::UndoAtCursor() {
    CCommand* command = m_commands[--m_done].get();
    {
        WaitCursor wait;
        m_doc->UpdateAllViews(nullptr, kHintDeselect);
        command->Undo(m_doc);
        m_doc->SetModifiedFlag();
    }
    GetAppServices().NotifyDocumentChanged(m_doc, kDocumentContentChanged);
}

void CUndoList::NoteChange() {
    m_doc->SetModifiedFlag();
    GetAppServices().NotifyDocumentChanged(m_doc, kDocumentContentChanged);
}
