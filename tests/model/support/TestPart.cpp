#include "TestPart.h"

#include <algorithm>
#include <string>
#include <utility>

#include "model/device/Device.h"
#include "model/object/StdAttrNames.h"
#include "model/undo/ConnectionList.h"
#include "platform/Archive.h"
#include "support/DocumentBytes.h"

IMPLEMENT_SERIAL(TestPart, CDrawObj, VERSIONABLE_SCHEMA | 1)

TestPart::TestPart(int tag, int type)
    : CDrawObj(CRect(tag, 0, tag + 10, 10)), tag(tag), m_type(type) {
    ++alive;
}

TestPart::TestPart(int type, const CRect& position) : CDrawObj(position), tag(0), m_type(type) {
    ++alive;
}

TestPart::TestPart(const TestPart& source, CDrawDoc* doc)
    : CDrawObj(source, doc), tag(source.tag), failAssign(source.failAssign), m_type(source.m_type) {
    ++alive;
    if (source.m_device)
        UseDevice(source.m_device);
    CString name;
    CString value;
    for (POSITION pos = source.m_attributes.GetStartPosition(); pos;) {
        source.m_attributes.GetNextAssoc(pos, name, value);
        m_attributes.SetAt(name, value);
    }
}

TestPart::~TestPart() {
    --alive;
    if (m_device)
        m_device->Release();
}

void TestPart::Serialize(CArchive& ar) {
    CDrawObj::Serialize(ar);
    CString name;
    CString value;
    if (ar.IsStoring()) {
        if (failStore)
            throw CArchiveException(CArchiveException::genericException);
        ar << tag << m_type << BYTE{failAssign};
        ar.WriteCount(static_cast<DWORD>(m_attributes.GetCount()));
        for (POSITION pos = m_attributes.GetStartPosition(); pos;) {
            m_attributes.GetNextAssoc(pos, name, value);
            ar << name << value;
        }
        std::vector<TestPart*> partners = m_links;
        std::stable_sort(partners.begin(), partners.end(),
                         [](const TestPart* a, const TestPart* b) { return a->tag < b->tag; });
        ar.WriteCount(static_cast<DWORD>(partners.size()));
        for (TestPart* partner : partners)
            ar.WriteObject(partner);
        ar.WriteObject(m_device);
        return;
    }
    BYTE flag = 0;
    ar >> tag >> m_type >> flag;
    failAssign = flag != 0;
    for (DWORD count = ar.ReadCount(); count > 0; --count) {
        ar >> name >> value;
        m_attributes.SetAt(name, value);
    }
    for (DWORD count = ar.ReadCount(); count > 0; --count)
        Link(this, static_cast<TestPart*>(ar.ReadObject(RUNTIME_CLASS(TestPart))));
    if (auto* device = static_cast<CDevice*>(ar.ReadObject(RUNTIME_CLASS(CDevice))))
        UseDevice(device);
}

int TestPart::SetAttr(const char* name, const char* value, UINT flags) {
    if (CString(value) == "refused")
        return FALSE;
    if (IsDeviceAttrName(name))
        return m_device && m_device->SetAttr(CString(DeviceAttrName(name)), value, flags & 1);
    m_attributes.SetAt(name, value);
    return TRUE;
}

int TestPart::CheckAttrValue(const char* name, CString& value) {
    if (CString(name) != "_ID")
        return 0;
    if (value.IsEmpty())
        return 1;
    return m_document && m_document->IsIdInUse(this, value) ? 2 : 0;
}

int TestPart::AssignId(int /*number*/) {
    if (failAssign)
        return FALSE;
    if (m_type != kObjSymbol)
        return TRUE;
    CString id = GetAttr("_ID");
    m_document->MakeObjectId(id, this);
    SetAttr("_ID", id, 1);
    return TRUE;
}

BOOL TestPart::LookupAttr(const char* name, CString& value) {
    if (name && IsDeviceAttrName(name))
        return m_device && m_device->Lookup(CString(DeviceAttrName(name)), value);
    if (name && m_device && CString(name) == GetStdAttrName(kStdAttrDid)) {
        value = GetAttr(GetStdAttrName(kStdAttrId));
        m_device->StripGateSuffix(value, GetAttr(GetStdAttrName(kStdAttrName)));
        return TRUE;
    }
    return CDrawObj::LookupAttr(name, value);
}

CDevice* TestPart::SetDevice(CDevice* device) {
    return std::exchange(m_device, device);
}

BOOL TestPart::Intersects(const CRect& rect) {
    CRect mine = m_position;
    mine.NormalizeRect();
    CRect common;
    return common.IntersectRect(mine, rect);
}

void TestPart::CollectConnections(CConnectionList* list) {
    for (TestPart* link : m_links) {
        if (!(link->GetFlags() & kFlagMark))
            list->Add({this, 0, link, nullptr});
    }
}

void TestPart::Disconnect(const CConnectionRecord* record) {
    auto* partner = static_cast<TestPart*>(record->partner);
    std::erase(m_links, partner);
    std::erase(partner->m_links, this);
}

void TestPart::Connect(const CConnectionRecord* record) {
    Link(this, record->partner);
}

void TestPart::Link(CDrawObj* a, CDrawObj* b) {
    auto* first = static_cast<TestPart*>(a);
    auto* second = static_cast<TestPart*>(b);
    if (first->IsLinkedTo(second))
        return;
    first->m_links.push_back(second);
    second->m_links.push_back(first);
}

bool TestPart::IsLinkedTo(const CDrawObj* other) const {
    return std::find(m_links.begin(), m_links.end(), other) != m_links.end();
}

std::string TestPart::Partners() const {
    std::string tags;
    for (const TestPart* link : m_links)
        tags += std::to_string(link->tag) + ' ';
    return tags;
}

void TestPart::SetTestDevice(const char* name) {
    UseDevice(new CDevice(name));
}

void TestPart::UseDevice(CDevice* device) {
    device->AddRef();
    if (CDevice* held = SetDevice(device))
        held->Release();
}

std::vector<CObject*> Contents(const CObList& list) {
    std::vector<CObject*> result;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        result.push_back(list.GetNext(pos));
    return result;
}

DocSnapshot Snapshot(CDrawDoc& doc) {
    DocSnapshot snapshot;
    snapshot.bytes = testsupport::DocumentBytes(doc);
    for (CObject* object : Contents(doc.GetObjects()))
        snapshot.objects.emplace_back(object, static_cast<const CDrawObj*>(object)->GetFlags());
    return snapshot;
}

std::vector<int> TagsOf(const CDrawDoc& doc) {
    std::vector<int> tags;
    for (CObject* object : Contents(doc.GetObjects()))
        tags.push_back(static_cast<const TestPart*>(object)->tag);
    return tags;
}
