#include "model/net/Net.h"

#include <cstring>
#include <utility>

#include "model/doc/DrawDoc.h"
#include "model/object/AttrCheckCodes.h"
#include "model/object/DrawObj.h"
#include "model/object/StdAttrNames.h"
#include "platform/Archive.h"
#include "platform/CollectionArchive.h"

IMPLEMENT_SERIAL(CNet, CObject, CNet::kSchema)

namespace {

constexpr const char* kAutoNameFormat = "n%04d";
// The check's answer for any change to a read-only net.
constexpr int kNetLocked = -1;

bool IsIdName(const char* name) {
    return name && std::strcmp(name, GetStdAttrName(kStdAttrId)) == 0;
}

}  // namespace

CNet::CNet() = default;

CNet::CNet(const char* name) : m_name(name) {}

CNet::CNet(const CNet& source) : CObject(), m_name(source.m_name), m_flags(source.m_flags) {
    if (source.m_attributes)
        Attributes().CopyFrom(*source.m_attributes);
}

CNet::~CNet() = default;

void CNet::Serialize(CArchive& ar) {
    if (ar.IsLoading()) {
        auto loaded = std::make_unique<CMapStringToString>(10);
        SerializeStringMap(ar, *loaded);
        m_attributes = loaded->IsEmpty() ? nullptr : std::move(loaded);
    } else {
        CMapStringToString none{10};
        SerializeStringMap(ar, m_attributes ? *m_attributes : none);
    }
    if (ar.IsStoring()) {
        ar << (m_flags & ~kNetVisited) << m_name;
        return;
    }
    ar >> m_flags >> m_name;
    m_flags &= ~kNetVisited;
}

// A release without a reference left counts as the last one rather than driving the count
// below zero and keeping a net nobody holds.
int CNet::Release() {
    if (m_refCount > 1)
        return --m_refCount;
    delete this;
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Attributes

void CNet::GetAttrAt(int index, CString& key, CString& value) const {
    if (index == 0) {
        key = GetStdAttrName(kStdAttrId);
        value = m_name;
        return;
    }
    int i = 1;
    for (POSITION pos = m_attributes ? m_attributes->GetStartPosition() : nullptr; pos; ++i) {
        m_attributes->GetNextAssoc(pos, key, value);
        if (i == index)
            return;
    }
    key.Empty();
    value.Empty();
}

CString CNet::GetAttr(const char* name) const {
    CString value;
    LookupAttr(name, value);
    return value;
}

CString CNet::GetStdAttr(int id) const {
    const char* name = GetStdAttrName(id);
    return name ? GetAttr(name) : CString();
}

BOOL CNet::LookupAttr(const char* name, CString& value) const {
    if (!name)
        return FALSE;
    if (IsIdName(name)) {
        value = m_name;
        return TRUE;
    }
    return m_attributes && m_attributes->Lookup(name, value);
}

int CNet::CheckAttrValue(const char* name, CString& value) const {
    if (m_flags & kNetReadOnly)
        return kNetLocked;
    if (IsIdName(name)) {
        value.Trim();
        if (value.IsEmpty())
            return kNameMissing;
    }
    return kAttrOk;
}

BOOL CNet::SetAttr(const char* name, const char* value, UINT flags) {
    if (!name)
        return FALSE;
    CString checked(value ? value : "");
    if (!(flags & kSetAttrForce) && CheckAttrValue(name, checked) != kAttrOk)
        return FALSE;
    if (IsIdName(name)) {
        checked.Trim();
        if (checked.IsEmpty())
            return FALSE;
        m_name = checked;
    } else {
        Attributes().SetAt(name, value ? value : "");
    }
    if (flags & kSetAttrUser)
        m_flags = (m_flags & ~kNetClearedByUserName) | kNetNamed;
    return TRUE;
}

BOOL CNet::RemoveAttr(const char* name) {
    if (!name || IsIdName(name))
        return FALSE;
    return m_attributes && m_attributes->RemoveKey(name);
}

CMapStringToString& CNet::Attributes() {
    if (!m_attributes)
        m_attributes = std::make_unique<CMapStringToString>(10);
    return *m_attributes;
}

void CNet::ExchangeAttributes(CNet& other) {
    CMapStringToString kept{10};
    kept.CopyFrom(Attributes());
    Attributes().CopyFrom(other.Attributes());
    other.Attributes().CopyFrom(kept);
    std::swap(m_name, other.m_name);
    // The named and read-only states go with the name; run-time marks stay.
    const DWORD mine = m_flags;
    SetFlags(other.m_flags, ~kNetVisited);
    other.SetFlags(mine, ~kNetVisited);
}

// ---------------------------------------------------------------------------------------------
// Automatic names

void CNet::MakeUniqueName(CDrawDoc* doc, BOOL refresh) {
    if (!doc)
        return;
    const auto draw = [doc](CString& candidate) {
        candidate.Format(kAutoNameFormat, static_cast<int>(doc->m_nextNetNumber++));
    };
    CString candidate = m_name;
    if (candidate.IsEmpty())
        draw(candidate);
    while (doc->IsNetNameInUse(candidate, this))
        draw(candidate);
    m_name = candidate;
    doc->NoteNetName(m_name);
    if (!refresh)
        return;
    const CObList& objects = doc->GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        if (object->GetNet() == this)
            object->RefreshAttrTexts(GetStdAttrName(kStdAttrId));
    }
}
