#include "model/doc/IdsInUse.h"

#include "model/object/DrawObj.h"
#include "model/object/StdAttrNames.h"
#include "platform/ObList.h"

IdsInUse::IdsInUse(const CObList& objects) {
    const char* idNames[] = {GetStdAttrName(kStdAttrId), GetStdAttrName(kStdAttrDid)};
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        for (const char* name : idNames)
            Replace({}, object->GetAttr(name));
    }
}

bool IdsInUse::Contains(const CString& id) const {
    return m_holders.contains(id.str());
}

void IdsInUse::Replace(const CString& from, const CString& to) {
    if (from == to)
        return;
    if (!to.IsEmpty())
        ++m_holders[to.str()];
    if (from.IsEmpty())
        return;
    auto it = m_holders.find(from.str());
    if (it == m_holders.end() || --it->second > 0)
        return;
    m_holders.erase(it);
    m_cursors.clear();  // a number may have become free below a cursor
}

CString IdsInUse::FirstFree(const CString& prefix, long long first) {
    Cursor& cursor = m_cursors.try_emplace(prefix.str(), Cursor{first, first}).first->second;
    if (cursor.first != first)
        cursor = {first, first};
    CString candidate;
    for (;; ++cursor.next) {
        candidate.Format("%s%lld", prefix.c_str(), cursor.next);
        if (!Contains(candidate))
            return candidate;
    }
}
