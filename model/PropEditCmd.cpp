#include "model/PropEditCmd.h"

#include "model/DrawDoc.h"

namespace {
constexpr UINT kSetModified = 4;
}

BOOL CPropEditCmd::Do(CDrawDoc* doc) {
    CString current;
    m_isNew = !doc->GetAttribute(m_name, current);
    BOOL done = doc->SetAttribute(m_name, m_value, kSetModified);
    m_value = current;
    return done;
}

BOOL CPropEditCmd::Undo(CDrawDoc* doc) {
    if (!m_isNew)
        return Do(doc);
    CString current;
    doc->GetAttribute(m_name, current);
    BOOL removed = doc->RemoveAttribute(m_name);
    m_value = current;
    return removed;
}
