#include "shell/output/PadDoc.h"

#include <QTextDocument>

#include "platform/AtomicFile.h"
#include "platform/UserPrompt.h"
#include "shell/output/StrEditView.h"

BOOL CPadDoc::IsModified() const {
    return m_view && m_view->document()->isModified();
}

void CPadDoc::SetModifiedFlag(BOOL modified) {
    CDocumentBase::SetModifiedFlag(modified);
    if (m_view)
        m_view->document()->setModified(modified != FALSE);
}

BOOL CPadDoc::OnOpenDocument(const char* path) {
    if (!m_view)
        return FALSE;
    try {
        m_view->SetRawText(ReadWholeFile(path, kMaxFileBytes));
    } catch (const FileReadError& error) {
        AfxMessageBox(error.what(), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CPadDoc::OnSaveDocument(const char* path) {
    if (!m_view)
        return FALSE;
    try {
        WriteFileAtomically(path, m_view->GetRawText());
    } catch (const FileWriteError& error) {
        AfxMessageBox(error.what(), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CPadDoc::SaveModified(const std::function<BOOL()>& askToSave) const {
    return m_closeWithoutAsking ? TRUE : askToSave();
}
