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

CMultiCmd::~CMultiCmd() {
    while (!m_commands.IsEmpty())
        delete m_commands.RemoveHead();
}

BOOL CMultiCmd::Do(CDrawDoc* doc) {
    for (POSITION pos = m_commands.GetHeadPosition(); pos;) {
        if (!static_cast<CCommand*>(m_commands.GetNext(pos))->Do(doc))
            return FALSE;
    }
    return TRUE;
}

BOOL CMultiCmd::Undo(CDrawDoc* doc) {
    for (POSITION pos = m_commands.GetTailPosition(); pos;) {
        if (!static_cast<CCommand*>(m_commands.GetPrev(pos))->Undo(doc))
            return FALSE;
    }
    return TRUE;
}

CUndoList::~CUndoList() {
    while (!m_commands.IsEmpty())
        delete m_commands.RemoveHead();
    m_cursor = nullptr;
}

CCommand* CUndoList::GetLastDone() const {
    return m_cursor ? static_cast<CCommand*>(m_commands.GetAt(m_cursor)) : nullptr;
}

BOOL CUndoList::Add(CCommand* command) {
    if (!command)
        return FALSE;
    NoteChange();
    while (!m_commands.IsEmpty() && m_cursor != m_commands.GetTailPosition())
        DeleteTail();
    m_cursor = m_commands.AddTail(command);
    while (m_commands.GetCount() > m_depth)
        delete m_commands.RemoveHead();
    return TRUE;
}

BOOL CUndoList::Undo() {
    if (!m_cursor)
        return FALSE;
    UndoAtCursor();
    return TRUE;
}

BOOL CUndoList::Redo() {
    if (!CanRedo())
        return FALSE;
    if (m_cursor)
        m_commands.GetNext(m_cursor);
    else
        m_cursor = m_commands.GetHeadPosition();
    WaitCursor wait;
    m_doc->UpdateAllViews(nullptr, kHintDeselect);
    static_cast<CCommand*>(m_commands.GetAt(m_cursor))->Do(m_doc);
    NoteChange();
    return TRUE;
}

BOOL CUndoList::CancelLast() {
    if (!CursorAtTail())
        return FALSE;
    UndoAtCursor();
    DeleteTail();
    m_cursor = m_commands.GetTailPosition();
    return TRUE;
}

BOOL CUndoList::Merge(CCommand* command) {
    if (!command || !CursorAtTail())
        return FALSE;
    CCommand* last = static_cast<CCommand*>(m_commands.GetTail());
    CMultiCmd* multi =
        last->IsKindOf(RUNTIME_CLASS(CMultiCmd)) ? static_cast<CMultiCmd*>(last) : nullptr;
    if (!multi) {
        multi = new CMultiCmd(last->GetName());
        multi->Append(last);
        m_commands.SetAt(m_cursor, multi);
    }
    multi->Append(command);
    return TRUE;
}

void CUndoList::DeleteTail() {
    delete m_commands.RemoveTail();
}

// Moves the cursor back over the command at the cursor and undoes it.
void CUndoList::UndoAtCursor() {
    CCommand* command = static_cast<CCommand*>(m_commands.GetAt(m_cursor));
    WaitCursor wait;
    m_doc->UpdateAllViews(nullptr, kHintDeselect);
    m_commands.GetPrev(m_cursor);
    command->Undo(m_doc);
    NoteChange();
}

void CUndoList::NoteChange() {
    m_doc->SetModifiedFlag();
    GetAppServices().NotifyDocumentChanged(m_doc, kDocumentContentChanged);
}
