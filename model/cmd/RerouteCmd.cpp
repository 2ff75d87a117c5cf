#include "model/cmd/RerouteCmd.h"

#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"

CRerouteCmd::~CRerouteCmd() {
    delete (m_done ? m_old : m_new);
}

BOOL CRerouteCmd::Do(CDrawDoc* doc) {
    if (!Exchange(doc, m_old, m_new, m_before, m_after))
        return FALSE;
    m_done = true;
    return TRUE;
}

BOOL CRerouteCmd::Undo(CDrawDoc* doc) {
    if (!Exchange(doc, m_new, m_old, m_after, m_before))
        return FALSE;
    m_done = false;
    return TRUE;
}

BOOL CRerouteCmd::Exchange(CDrawDoc* doc, CDrawObj* out, CDrawObj* in,
                           const CConnectionList& outLinks, const CConnectionList& inLinks) {
    CObList& objects = doc->GetObjects();
    const POSITION at = objects.Find(out);
    if (!at)
        return FALSE;
    outLinks.Release();
    inLinks.Restore();
    objects.SetAt(at, in);
    UpdateView(doc, out, kUpdateLeaveSelection);
    UpdateView(doc, in, kUpdateJoinSelection);
    return TRUE;
}
