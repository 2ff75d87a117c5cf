#include "model/cmd/ObjectEditCmd.h"

#include <utility>

#include "model/cmd/ObjectPlaces.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"

CObjectEditCmd::~CObjectEditCmd() {
    if (m_outside)
        m_outside->Remove();
}

BOOL CObjectEditCmd::Do(CDrawDoc* doc) {
    ObjectPlaces places(doc->GetObjects(), 1);
    POSITION pos = m_outside ? places.Find(m_inside) : nullptr;
    if (!pos)
        return FALSE;
    doc->UpdateAllViews(nullptr, kHintDeselect);
    places.SetAt(pos, m_outside);
    std::swap(m_inside, m_outside);
    m_outside->Invalidate(nullptr);
    m_inside->Invalidate(nullptr);
    return TRUE;
}
