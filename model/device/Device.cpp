#include "model/device/Device.h"

#include <cassert>

#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "model/object/StdAttrNames.h"
#include "platform/Archive.h"
#include "platform/CollectionArchive.h"

IMPLEMENT_SERIAL(CDevice, CObject, CDevice::kSchema)

namespace {

const char* NameAttr() {
    return GetStdAttrName(kStdAttrName);
}

const char* MapAttr() {
    return GetStdAttrName(kStdAttrMap);
}

}  // namespace

void CDeviceSymbol::DeleteObjects() {
    for (POSITION pos = m_objects.GetHeadPosition(); pos;)
        delete m_objects.GetNext(pos);
    m_objects.RemoveAll();
}

// ---------------------------------------------------------------------------------------------
// Lifetime

CDevice::CDevice() = default;

CDevice::CDevice(const char* name) {
    m_attributes.SetAt(NameAttr(), name);
}

CDevice::CDevice(const CDevice& other) : CObject() {
    *this = other;
    m_flags = 0;
}

CDevice& CDevice::operator=(const CDevice& other) {
    if (this == &other)
        return *this;
    m_flags = other.m_flags;
    // In the other's order, so that a copy stores the same bytes and an edit exchanged back
    // gives them back.
    m_attributes.CopyFrom(other.m_attributes);
    return *this;
}

CDevice::~CDevice() = default;

void CDevice::Release() {
    assert(m_refCount > 0 && "device released more often than referenced");
    if (--m_refCount == 0)
        delete this;
}

BOOL CDevice::IsEqual(const CDevice& other) const {
    if (m_attributes.GetCount() != other.m_attributes.GetCount())
        return FALSE;
    CString name;
    CString value;
    for (POSITION pos = m_attributes.GetStartPosition(); pos;) {
        m_attributes.GetNextAssoc(pos, name, value);
        CString theirs;
        if (!other.m_attributes.Lookup(name, theirs) || theirs != value)
            return FALSE;
    }
    return TRUE;
}

void CDevice::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        SerializeStringMap(ar, m_attributes);
        ar << (m_flags & ~kDeviceTransientFlags);
        return;
    }
    m_attributes.RemoveAll();
    SerializeStringMap(ar, m_attributes);
    ar >> m_flags;
    m_flags &= ~kDeviceTransientFlags;
}

// ---------------------------------------------------------------------------------------------
// Attributes

void CDevice::GetAttrAt(int index, CString& name, CString& value) const {
    POSITION pos = m_attributes.GetStartPosition();
    for (int i = 0; pos; ++i) {
        m_attributes.GetNextAssoc(pos, name, value);
        if (i == index)
            return;
    }
    name.Empty();
    value.Empty();
}

CString CDevice::GetAttr(const char* name) const {
    CString value;
    if (name)
        m_attributes.Lookup(name, value);
    return value;
}

CString CDevice::GetStdAttr(int id) const {
    return GetAttr(GetStdAttrName(id));
}

BOOL CDevice::Lookup(const char* name, CString& value) const {
    return name && m_attributes.Lookup(name, value);
}

BOOL CDevice::SetStdAttr(int id, const char* value, BOOL force) {
    return SetAttr(GetStdAttrName(id), value, force);
}

BOOL CDevice::SetAttr(const char* name, const char* value, BOOL force) {
    if (!name || !value)
        return FALSE;
    if (CString(name) == MapAttr()) {
        if (SetMap(value, force ? kMapApply : kMapCheck | kMapApply) != 0)
            return FALSE;
    } else {
        if (!force && CheckAttrValue(name, value) != 0)
            return FALSE;
        m_attributes.SetAt(name, value);
    }
    m_flags &= ~kDeviceFlagsClearedBySet;
    return TRUE;
}

int CDevice::CheckAttrValue(const char* name, const char* value) const {
    if ((m_flags & kDeviceNoChecks) || !name || !value)
        return 0;
    const CString key(name);
    if (key == MapAttr()) {
        CPinMap map;
        if (!map.Parse(value))
            return kMapUnparsable;
        map.Sort();
        return map.CheckDuplicates();
    }
    if (key == NameAttr() && *value == '\0')
        return kDeviceNameEmpty;
    return 0;
}

void CDevice::RemoveAttr(const char* name) {
    if (name)
        m_attributes.RemoveKey(name);
}

void CDevice::ExchangeAttributes(CDevice& other) {
    const DWORD mine = m_flags;
    const DWORD theirs = other.m_flags;
    CDevice kept;
    kept = *this;
    *this = other;
    other = kept;
    m_flags = mine;
    other.m_flags = theirs;
}

int CDevice::GetAttributeFlags(const char* name) {
    const CString key(name ? name : "");
    if (key == MapAttr() || key == GetStdAttrName(kStdAttrImplicit))
        return kDeviceAttrEditedApart;
    return key == NameAttr() ? kDeviceAttrReadOnly : kDeviceAttrPlain;
}
