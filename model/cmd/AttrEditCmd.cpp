#include "model/cmd/AttrEditCmd.h"

#include <utility>

#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"

BOOL CAttrEditCmd::Do(CDrawDoc* doc) {
    return m_texts.Exchange(Owners(), [this, doc] { return Exchange(doc) != FALSE; });
}

BOOL CAttrEditCmd::Undo(CDrawDoc* doc) {
    return m_texts.Exchange(
        Owners(), [this, doc] { return (m_isNew ? EraseNew(doc) : Exchange(doc)) != FALSE; });
}

BOOL CAttrEditCmd::Exchange(CDrawDoc* doc) {
    CString present;
    const BOOL existed = Read(doc, present);
    if (!Write(doc, m_value))
        return FALSE;
    m_value = present;
    m_isNew = !existed;
    return TRUE;
}

BOOL CAttrEditCmd::EraseNew(CDrawDoc* doc) {
    CString present;
    Read(doc, present);
    if (!Erase(doc))
        return FALSE;
    m_value = present;
    return TRUE;
}

std::vector<CDrawObj*> CAttrEditCmd::Owners() const {
    return m_owner ? std::vector<CDrawObj*>{m_owner} : std::vector<CDrawObj*>{};
}

BOOL CAttrEditCmd::GetChangedObjects(std::vector<CDrawObj*>& objects) const {
    if (m_owner && m_owner->GetNet())
        return FALSE;
    if (m_owner)
        objects.push_back(m_owner);
    return TRUE;
}

BOOL CAttrEditCmd::Read(CDrawDoc* doc, CString& value) const {
    return m_owner ? m_owner->LookupAttr(m_name, value) : doc->GetAttribute(m_name, value);
}

// The value goes back the way the user's edit set it.
BOOL CAttrEditCmd::Write(CDrawDoc* doc, const CString& value) const {
    if (m_owner)
        return m_owner->SetAttr(m_name, value, kSetAttrForce | kSetAttrUser) != 0;
    return doc->SetAttribute(m_name, value, kAttrSetModified);
}

BOOL CAttrEditCmd::Erase(CDrawDoc* doc) const {
    if (!m_owner)
        return doc->RemoveAttribute(m_name);
    m_owner->RemoveAttr(m_name);
    return TRUE;
}

int SetAttrRecorded(CDrawObj& object, const char* name, const char* value, UINT flags) {
    CString old;
    const BOOL existed = object.LookupAttr(name, old);
    if (existed && old == value)
        return TRUE;
    AttrTextPlaces places;
    places.Keep({&object});
    const int result = object.SetAttr(name, value, flags & ~(kSetAttrUndoable | kSetAttrMerge));
    CDrawDoc* doc = object.GetDocument();
    if (!result || !doc)
        return result;
    auto* command = new CAttrEditCmd(name, old, !existed, &object);
    command->KeepTextPlaces(std::move(places));
    if (!(flags & kSetAttrMerge) || !doc->MergeCommand(command))
        doc->GetUndoList().Add(command);
    return result;
}
