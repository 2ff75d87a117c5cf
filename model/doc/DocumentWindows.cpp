#include "model/doc/DocumentWindows.h"

#include "model/doc/DrawDoc.h"

BOOL IDocumentWindows::SaveDocumentAs(CDrawDoc& document, const CString& path) {
    if (!document.OnSaveDocument(path))
        return FALSE;
    document.SetPathName(path, FALSE);
    return TRUE;
}
