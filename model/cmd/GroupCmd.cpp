#include "model/cmd/GroupCmd.h"

#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/symbol/Symbol.h"

namespace {

void TakeOut(CObList& list, CObject* object) {
    if (POSITION pos = list.Find(object))
        list.RemoveAt(pos);
}

}  // namespace

CGroupCmd::CGroupCmd(CSymbol* symbol, const CObList& objects) : m_symbol(symbol) {
    m_objects.AddTail(&objects);
}

CGroupCmd::~CGroupCmd() {
    if (!m_done)
        delete m_symbol;
}

BOOL CGroupCmd::Do(CDrawDoc* doc) {
    if (!doc || m_done)
        return FALSE;
    m_symbol->SetDocument(doc);
    m_symbol->BuildFromObjects(m_objects, FALSE);
    m_symbol->RecalcBounds(nullptr);
    for (POSITION pos = m_objects.GetHeadPosition(); pos;)
        TakeOut(doc->GetObjects(), m_objects.GetNext(pos));
    UpdateViews(doc, &m_objects, kUpdateLeaveSelection);
    doc->GetObjects().AddTail(m_symbol);
    UpdateView(doc, m_symbol, kUpdateJoinSelection);
    m_done = true;
    return TRUE;
}

BOOL CGroupCmd::Undo(CDrawDoc* doc) {
    if (!doc || !m_done)
        return FALSE;
    TakeOut(doc->GetObjects(), m_symbol);
    UpdateView(doc, m_symbol, kUpdateLeaveSelection);
    m_symbol->ReleaseChildren();
    doc->UpdateAllViews(nullptr, kHintDeselect);
    doc->GetObjects().AddTail(&m_objects);
    UpdateViews(doc, &m_objects, kUpdateJoinSelection);
    m_done = false;
    return TRUE;
}
