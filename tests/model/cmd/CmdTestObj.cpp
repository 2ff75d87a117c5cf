#include "CmdTestObj.h"

#include <algorithm>

#include "model/ConnectionList.h"
#include "platform/Archive.h"
#include "platform/GdiArchive.h"
#include "platform/MemFile.h"

IMPLEMENT_SERIAL(CCmdTestObj, CDrawObj, VERSIONABLE_SCHEMA | 1)

CCmdTestObj::CCmdTestObj(int tag) : CDrawObj(CRect(tag, 0, tag + 10, 10)), tag(tag) {
    ++alive;
}

CCmdTestObj::CCmdTestObj(const CCmdTestObj& source, CDrawDoc* doc)
    : CDrawObj(source, doc), tag(source.tag), m_text(source.m_text), m_font(source.m_font) {
    ++alive;
    CString name;
    CString value;
    for (POSITION pos = source.m_attributes.GetStartPosition(); pos;) {
        source.m_attributes.GetNextAssoc(pos, name, value);
        m_attributes.SetAt(name, value);
    }
}

void CCmdTestObj::Serialize(CArchive& ar) {
    if (!ar.IsStoring())
        throw CArchiveException(CArchiveException::badClass);
    CDrawObj::Serialize(ar);
    ar << tag << static_cast<DWORD>(m_attributes.GetCount());
    CString name;
    CString value;
    for (POSITION pos = m_attributes.GetStartPosition(); pos;) {
        m_attributes.GetNextAssoc(pos, name, value);
        ar << name << value;
    }
    ar << m_text << static_cast<BYTE>(m_font.has_value());
    if (m_font)
        ar << *m_font;
    std::vector<int> partners;
    for (const CCmdTestObj* link : m_links)
        partners.push_back(link->tag);
    std::sort(partners.begin(), partners.end());
    ar << static_cast<DWORD>(partners.size());
    for (int partner : partners)
        ar << partner;
}

int CCmdTestObj::SetAttr(const char* name, const char* value, UINT /*flags*/) {
    if (CString(value) == "refused")
        return FALSE;
    m_attributes.SetAt(name, value);
    return TRUE;
}

void CCmdTestObj::SetOwnFont(const LOGFONT* font) {
    m_font.reset();
    if (font)
        m_font = *font;
}

// Links to marked objects belong to the same set and are left out.
void CCmdTestObj::CollectConnections(CConnectionList* list) {
    for (CCmdTestObj* link : m_links) {
        if (!(link->GetFlags() & kFlagMark))
            list->Add({this, 0, link, nullptr});
    }
}

void CCmdTestObj::Disconnect(const CConnectionRecord* record) {
    auto* partner = static_cast<CCmdTestObj*>(record->partner);
    std::erase(m_links, partner);
    std::erase(partner->m_links, this);
}

void CCmdTestObj::Connect(const CConnectionRecord* record) {
    Link(this, static_cast<CCmdTestObj*>(record->partner));
}

void CCmdTestObj::Link(CCmdTestObj* a, CCmdTestObj* b) {
    if (a->IsLinkedTo(b))
        return;
    a->m_links.push_back(b);
    b->m_links.push_back(a);
}

bool CCmdTestObj::IsLinkedTo(const CCmdTestObj* other) const {
    return std::find(m_links.begin(), m_links.end(), other) != m_links.end();
}

DocSnapshot Snapshot(CDrawDoc& doc) {
    DocSnapshot snapshot;
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = &doc;
    doc.Serialize(ar);
    ar.Close();
    snapshot.bytes = file.Detach();
    const CObList& objects = doc.GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        const auto* object = static_cast<const CDrawObj*>(objects.GetNext(pos));
        snapshot.objects.emplace_back(object, object->GetFlags());
    }
    return snapshot;
}

void PrintTo(const DocSnapshot& snapshot, std::ostream* out) {
    *out << snapshot.bytes.size() << " bytes, tags";
    for (const auto& [object, flags] : snapshot.objects) {
        const auto* tagged = dynamic_cast<const CCmdTestObj*>(object);
        *out << ' ' << (tagged ? tagged->tag : -1) << "/0x" << std::hex << flags << std::dec;
    }
}

std::vector<int> TagsOf(const CDrawDoc& doc) {
    std::vector<int> tags;
    const CObList& objects = doc.GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        tags.push_back(static_cast<const CCmdTestObj*>(objects.GetNext(pos))->tag);
    return tags;
}
