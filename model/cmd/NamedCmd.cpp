#include "model/cmd/NamedCmd.h"

#include <cassert>
#include <unordered_set>

#include "model/cmd/LinkCheck.h"
#include "model/cmd/ObjectPlaces.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "platform/Archive.h"
#include "platform/MemFile.h"

namespace {
void DeleteAll(CObList& objects) {
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        static_cast<CDrawObj*>(objects.GetNext(pos))->Remove();
    objects.RemoveAll();
}

CDrawObj* NextObject(const CObList& list, POSITION& pos) {
    return static_cast<CDrawObj*>(list.GetNext(pos));
}

// Points the records of the original, and those of its pins, at the copy and at the copy's
// pins, which the copy holds in the same order. A pin without a counterpart loses its links.
void RedirectLinks(CConnectionList& links, const CDrawObj* original, CDrawObj* copy) {
    links.Replace(original, copy);
    const CObList* pins = original->GetPinList();
    const CObList* copyPins = copy->GetPinList();
    POSITION theirs = copyPins ? copyPins->GetHeadPosition() : nullptr;
    for (POSITION mine = pins ? pins->GetHeadPosition() : nullptr; mine;) {
        const CDrawObj* pin = NextObject(*pins, mine);
        if (theirs)
            links.Replace(pin, NextObject(*copyPins, theirs));
        else
            links.Remove(pin);
    }
}

// The objects as the document's archive writes them, with the objects they refer to.
std::vector<BYTE> StoredBytes(CDrawDoc* doc, const CObList& objects) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = doc;
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        ar.WriteObject(objects.GetNext(pos));
    ar.Close();
    return file.Detach();
}

// Every object of the list is in the document once (wanted) or none is (not wanted).
bool AllPlaced(ObjectPlaces& places, const CObList& objects, bool wanted) {
    std::unordered_set<const CObject*> seen;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        const CObject* object = objects.GetNext(pos);
        if (!object || !seen.insert(object).second || (places.Find(object) != nullptr) != wanted)
            return false;
    }
    return true;
}
}  // namespace

CNamedCmd::~CNamedCmd() {
    DeleteAll(m_done ? m_originals : m_copies);
}

BOOL CNamedCmd::BeginEdit(CDrawDoc* doc, const CObList& objects, const char* name) {
    ObjectPlaces places(doc->GetObjects(), static_cast<std::size_t>(objects.GetCount()));
    if (!m_originals.IsEmpty() || objects.IsEmpty() || !AllPlaced(places, objects, true))
        return FALSE;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* original = static_cast<CDrawObj*>(objects.GetNext(pos));
        CDrawObj* copy = original->Clone(doc);
        if (!copy) {
            DeleteAll(m_copies);
            m_originals.RemoveAll();
            return FALSE;
        }
        m_originals.AddTail(original);
        m_copies.AddTail(copy);
    }
    m_name = name;
    m_originalBytes = StoredBytes(doc, m_originals);
    // The copies take over the links of the originals and of their pins, those among them
    // included.
    m_copyLinks.CollectInOrder(m_originals);
    POSITION copy = m_copies.GetHeadPosition();
    for (POSITION pos = m_originals.GetHeadPosition(); pos;)
        RedirectLinks(m_copyLinks, NextObject(m_originals, pos), NextObject(m_copies, copy));
    return Do(doc);
}

bool CNamedCmd::CopiesAreUnchanged(CDrawDoc* doc) const {
    return StoredBytes(doc, m_copies) == m_originalBytes;
}

BOOL CNamedCmd::Do(CDrawDoc* doc) {
    if (m_originals.IsEmpty() || !Swap(doc, m_originals, m_originalLinks, m_copies, m_copyLinks))
        return FALSE;
    m_done = TRUE;
    return TRUE;
}

BOOL CNamedCmd::Undo(CDrawDoc* doc) {
    if (m_originals.IsEmpty() || !Swap(doc, m_copies, m_copyLinks, m_originals, m_originalLinks))
        return FALSE;
    m_done = FALSE;
    return TRUE;
}

BOOL CNamedCmd::Swap(CDrawDoc* doc, CObList& out, CConnectionList& outLinks, CObList& in,
                     const CConnectionList& inLinks) {
    ObjectPlaces places(doc->GetObjects(), 2 * static_cast<std::size_t>(out.GetCount()));
    if (!AllPlaced(places, out, true) || !AllPlaced(places, in, false))
        return FALSE;
    m_texts.Exchange(DrawObjectsOf(out), DrawObjectsOf(in), [&] {
        outLinks.RemoveAll();
        outLinks.CollectInOrder(out);
        outLinks.Release();
        POSITION next = in.GetHeadPosition();
        for (POSITION pos = out.GetHeadPosition(); pos;)
            places.SetAt(places.Find(out.GetNext(pos)), in.GetNext(next));
        assert(LinksNameDocumentObjects(inLinks, doc));
        inLinks.Restore();
        // The attribute texts came over from the other set: they show the values of this one.
        for (POSITION pos = in.GetHeadPosition(); pos;)
            NextObject(in, pos)->RefreshAttrTexts(nullptr);
        return true;
    });
    UpdateViews(doc, &out, kUpdateLeaveSelection);
    UpdateViews(doc, &in, kUpdateJoinSelection);
    return TRUE;
}
