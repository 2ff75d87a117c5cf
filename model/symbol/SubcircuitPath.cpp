// Where a sub-circuit symbol's sheet lies.

#include "model/app/PathMacros.h"
#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Symbol.h"
#include "platform/Paths.h"
#include "platform/UserPrompt.h"

BOOL CSymbol::GetSubcircuitPath(CString& path) {
    path = GetAttr(GetStdAttrName(kStdAttrSubcct));
    BOOL fits = path.GetLength() < kMaxPath;
    if (CSchematicApp* app = GetApp(); app && fits) {
        MacroDocument names;
        if (m_document)
            names = {m_document->GetTitle(), m_document->GetPathName()};
        fits = app->ExpandMacros(path, kMaxPath, m_document ? &names : nullptr);
    }
    if (!fits) {
        path.Empty();
        AfxMessageBox("Path name too long", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (path.IsEmpty())
        return TRUE;
    path = FromStoredPath(path);
    if (path[0] != '/' && m_document && !m_document->GetPathName().IsEmpty())
        path = JoinPath(FileDirectory(m_document->GetPathName()), path);
    return TRUE;
}
