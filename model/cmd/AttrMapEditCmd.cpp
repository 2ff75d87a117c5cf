#include "model/cmd/AttrMapEditCmd.h"

#include <map>
#include <string>

#include "model/object/DrawObj.h"

CAttrMapEditCmd::CAttrMapEditCmd(CDrawObj* object)
    : m_object(object), m_before(AttributesOf(*object)) {}

CAttrMapEditCmd::Attributes CAttrMapEditCmd::AttributesOf(CDrawObj& object) {
    Attributes attributes;
    const int count = object.GetAttrCount();
    attributes.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        CString name;
        CString value;
        object.GetAttrAt(i, name, value);
        attributes.emplace_back(name, value);
    }
    return attributes;
}

BOOL CAttrMapEditCmd::HasChanged() {
    Compare();
    return !m_changes.empty();
}

void CAttrMapEditCmd::Compare() {
    if (m_compared)
        return;
    m_compared = true;
    std::map<std::string, const CString*> before;
    for (const auto& [name, value] : m_before)
        before.emplace(name.str(), &value);
    for (const auto& [name, value] : AttributesOf(*m_object)) {
        auto old = before.find(name.str());
        if (old == before.end()) {
            m_changes.push_back({kAdded, name, CString(), value});
            continue;
        }
        if (*old->second != value)
            m_changes.push_back({kChanged, name, *old->second, value});
        before.erase(old);
    }
    for (const auto& [name, value] : m_before) {
        if (before.count(name.str()))
            m_changes.push_back({kRemoved, name, value, CString()});
    }
    m_before.clear();
}

BOOL CAttrMapEditCmd::Do(CDrawDoc* /*doc*/) {
    return Apply(true);
}

BOOL CAttrMapEditCmd::GetChangedObjects(std::vector<CDrawObj*>& objects) const {
    if (m_object->GetNet())
        return FALSE;
    objects.push_back(m_object);
    return TRUE;
}

BOOL CAttrMapEditCmd::Undo(CDrawDoc* /*doc*/) {
    Compare();
    return Apply(false);
}

// Applies the changes in order (forward) or takes them back in reverse order; a refusal takes
// back the steps already made.
BOOL CAttrMapEditCmd::Apply(bool forward) {
    const std::size_t count = m_changes.size();
    for (std::size_t done = 0; done < count; ++done) {
        const Change& change = m_changes[forward ? done : count - 1 - done];
        if (Step(change, forward))
            continue;
        while (done-- > 0)
            Step(m_changes[forward ? done : count - 1 - done], !forward);
        return FALSE;
    }
    m_object->RefreshAttrTexts(nullptr);
    return TRUE;
}

bool CAttrMapEditCmd::Step(const Change& change, bool forward) {
    const ChangeKind goes = forward ? kRemoved : kAdded;
    if (change.kind == goes) {
        m_object->RemoveAttr(change.name);
        return true;
    }
    const CString& value = forward ? change.newValue : change.oldValue;
    return m_object->SetAttr(change.name, value, kSetAttrForce) != 0;
}
