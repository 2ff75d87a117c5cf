#include "OpsPart.h"

#include "model/ConnectionList.h"
#include "model/DrawDoc.h"
#include "platform/Archive.h"

namespace opstest {

IMPLEMENT_SERIAL(OpsPart, CDrawObj, 1)

int OpsPart::alive = 0;

namespace {
CDevice* DeviceTag(int tag) {
    static char tags[8];
    return reinterpret_cast<CDevice*>(&tags[tag]);
}

OpsPart* Make(int type, const char* id, const char* prefix) {
    auto* part = new OpsPart(type);
    SetId(part, id);
    if (*prefix)
        part->SetAttr("_Pref", prefix, 1);
    return part;
}
}  // namespace

OpsPart::OpsPart(int type, const CRect& position) : CDrawObj(position), m_type(type) {
    ++alive;
}

OpsPart::OpsPart(const OpsPart& source, CDrawDoc* document)
    : CDrawObj(source, document),
      m_type(source.m_type),
      m_device(source.m_device),
      m_deviceName(source.m_deviceName) {
    ++alive;
    failAssign = source.failAssign;
    CString key;
    CString value;
    for (POSITION pos = source.m_attrs.GetStartPosition(); pos;) {
        source.m_attrs.GetNextAssoc(pos, key, value);
        m_attrs.SetAt(key, value);
    }
}

void OpsPart::Serialize(CArchive& ar) {
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        if (failStore)
            throw CArchiveException(CArchiveException::genericException);
        ar << m_type << BYTE{failAssign};
        ar.WriteCount(static_cast<DWORD>(m_attrs.GetCount()));
        CString key;
        CString value;
        for (POSITION pos = m_attrs.GetStartPosition(); pos;) {
            m_attrs.GetNextAssoc(pos, key, value);
            ar << key << value;
        }
        ar.WriteObject(link);
        return;
    }
    BYTE refuses = 0;
    ar >> m_type >> refuses;
    failAssign = refuses != 0;
    for (DWORD count = ar.ReadCount(); count > 0; --count) {
        CString key;
        CString value;
        ar >> key >> value;
        m_attrs.SetAt(key, value);
    }
    link = static_cast<CDrawObj*>(ar.ReadObject(RUNTIME_CLASS(CDrawObj)));
}

BOOL OpsPart::LookupAttr(const char* name, CString& value) {
    if (m_device && CString(name) == "_Device._Name") {
        value = m_deviceName;
        return TRUE;
    }
    return CDrawObj::LookupAttr(name, value);
}

int OpsPart::SetAttr(const char* name, const char* value, UINT) {
    m_attrs.SetAt(name, value);
    return TRUE;
}

int OpsPart::CheckAttrValue(const char* name, CString& value) {
    if (CString(name) != "_ID")
        return 0;
    if (value.IsEmpty())
        return 1;
    return m_document && m_document->IsIdInUse(this, value) ? 2 : 0;
}

int OpsPart::AssignId(int) {
    if (failAssign)
        return FALSE;
    if (m_type != kObjSymbol)
        return TRUE;
    CString id = GetAttr("_ID");
    m_document->MakeObjectId(id, this);
    SetAttr("_ID", id, 1);
    return TRUE;
}

BOOL OpsPart::Intersects(const CRect& rect) {
    CRect mine = m_position;
    mine.NormalizeRect();
    CRect common;
    return common.IntersectRect(mine, rect);
}

void OpsPart::CollectConnections(CConnectionList* list) {
    if (link && !(link->GetFlags() & kFlagMark))
        list->Add({this, 0, link, nullptr});
}

void OpsPart::Disconnect(const CConnectionRecord*) {
    link = nullptr;
}

void OpsPart::Connect(const CConnectionRecord* record) {
    link = record->partner;
}

void OpsPart::SetTestDevice(int tag, const char* name) {
    m_device = DeviceTag(tag);
    m_deviceName = name;
}

void OpsDocTest::TearDown() {
    doc.reset();
    EXPECT_EQ(OpsPart::alive, aliveBefore);
}

OpsPart* OpsDocTest::Symbol(const char* id, const char* prefix) {
    return Make(kObjSymbol, id, prefix);
}

OpsPart* OpsDocTest::Place(int type, const char* id, const char* prefix) {
    OpsPart* part = Make(type, id, prefix);
    part->SetDocument(doc.get());
    doc->GetObjects().AddTail(part);
    return part;
}

CString Id(CDrawObj* object) {
    return object->GetAttr("_ID");
}

void SetId(CDrawObj* object, const char* id) {
    object->SetAttr("_ID", id, 1);
}

}  // namespace opstest
