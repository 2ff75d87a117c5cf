#include "model/object/AttrMerge.h"

#include <set>

#include "model/object/DrawObj.h"

namespace {

CString Joined(const char* text, const CString& tail) {
    CString joined(text);
    joined += tail;
    return joined;
}

CString Trimmed(const CString& text) {
    CString trimmed = text;
    trimmed.TrimLeft();
    trimmed.TrimRight();
    return trimmed;
}

DWORD VisibilityBits(TriState visible) {
    return visible == TriState::kMixed ? kAttrShownMixed
           : visible == TriState::kOn  ? kAttrShown
                                       : 0;
}

TriState VisibilityOf(DWORD flags) {
    if (flags & kAttrShownMixed)
        return TriState::kMixed;
    return ToTriState(flags & kAttrShown);
}

}  // namespace

void CAttrMerge::AddAttribute(DWORD flags, const char* name, const char* value) {
    auto [found, added] = m_records.try_emplace(name, AttrRecord{1, flags, value});
    if (added)
        return;
    AttrRecord& record = found->second;
    ++record.count;
    if (record.value != value) {
        record.value.Empty();
        record.flags |= kAttrValueMixed;
    }
    if ((record.flags & kAttrVisibility) != (flags & kAttrVisibility))
        record.flags = (record.flags & ~kAttrVisibility) | kAttrShownMixed;
    record.flags |= flags & (kAttrReserved | kAttrValueLocked);
}

bool CAttrMerge::IsListed(const AttrRecord& record, bool showAll) const {
    if (record.flags & kAttrDeleted)
        return false;
    return showAll || (record.flags & kAttrAdded) || record.count >= m_objectCount;
}

std::vector<AttrListRow> CAttrMerge::ShownRows(bool showAll) const {
    std::vector<AttrListRow> rows;
    for (const auto& [name, record] : m_records) {
        if (!IsListed(record, showAll))
            continue;
        rows.push_back({name.c_str(), record.value, VisibilityOf(record.flags),
                        record.flags & (kAttrValueLocked | kAttrValueMixed | kAttrReserved)});
    }
    return rows;
}

std::optional<AttrRowError> CAttrMerge::Validate(const std::vector<AttrListRow>& rows,
                                                 const AttrCheck& check) {
    std::set<std::string> names;
    for (int i = 0; i < int(rows.size()); ++i) {
        const CString name = Trimmed(rows[i].name);
        const CString value = Trimmed(rows[i].value);
        if (name.IsEmpty()) {
            if (!value.IsEmpty())
                return AttrRowError{i, Joined("Error: Property undefined for value -", value)};
            continue;
        }
        if (check && check(name, value) != 0)
            return AttrRowError{i, {}};
        if (!names.insert(name.str()).second)
            return AttrRowError{i, Joined("Error: Property defined twice - ", name)};
    }
    return std::nullopt;
}

void CAttrMerge::ReadBack(const std::vector<AttrListRow>& rows, bool showAll) {
    for (auto& [name, record] : m_records)
        record.flags &= ~kAttrSeen;
    for (const AttrListRow& row : rows) {
        const CString name = Trimmed(row.name);
        if (name.IsEmpty())
            continue;
        auto [found, added] = m_records.try_emplace(name.str(), AttrRecord{0, kAttrAdded, {}});
        AttrRecord& record = found->second;
        record.flags = (record.flags & ~(kAttrVisibility | kAttrDeleted | kAttrValueMixed)) |
                       VisibilityBits(row.visible) | kAttrSeen | (row.flags & kAttrValueMixed);
        record.value = (row.flags & kAttrValueMixed) ? CString() : Trimmed(row.value);
    }
    for (auto it = m_records.begin(); it != m_records.end();) {
        AttrRecord& record = it->second;
        const bool listed = IsListed(record, showAll);
        if (!(record.flags & kAttrSeen) && listed) {
            if (record.flags & kAttrAdded) {
                it = m_records.erase(it);
                continue;
            }
            record.flags |= kAttrDeleted;
        }
        record.flags &= ~kAttrSeen;
        ++it;
    }
}

void AddObjectAttributes(CAttrMerge& merge, CDrawObj& object,
                         const std::function<bool(const CString& name)>& skip) {
    for (int i = 0; i < object.GetAttrCount(); ++i) {
        CString name;
        CString value;
        object.GetAttrAt(i, name, value);
        if (skip(name))
            continue;
        const BOOL readOnly = object.IsReadOnlyAttr(name);
        DWORD flags = object.FindAttrText(name) ? kAttrShown : 0;
        if (readOnly & 1)
            flags |= kAttrReserved;
        if (readOnly & 2)
            flags |= kAttrValueLocked;
        merge.AddAttribute(flags, name, value);
    }
}

void WriteAttrRecord(CDrawObj& object, const char* name, const AttrRecord& record) {
    if (record.flags & kAttrDeleted) {
        object.RemoveAttr(name);
        return;
    }
    if (record.flags & (kAttrValueLocked | kAttrValueMixed))
        return;
    CString own;
    const bool exists = object.LookupAttr(name, own);
    if ((exists && own != record.value) || (!exists && (record.flags & kAttrAdded)))
        object.SetAttr(name, record.value, kSetAttrForce);
}
