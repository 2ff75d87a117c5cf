#include "model/cmd/ObjectSetCmd.h"

#include <algorithm>
#include <cassert>
#include <span>
#include <vector>

#include "model/cmd/LinkCheck.h"
#include "model/cmd/ObjectPlaces.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "platform/PointerSet.h"

namespace {

// Walks back from the list's tail while it holds the objects in their order, the last of them
// first, and calls found(index, position) for each; how many it found.
template <class Found>
std::size_t WalkTailRun(const CObList& list, std::span<CDrawObj* const> objects, Found found) {
    std::size_t left = objects.size();
    for (POSITION pos = list.GetTailPosition(); pos && left > 0;) {
        POSITION here = pos;
        if (list.GetPrev(pos) != objects[left - 1])
            break;
        found(--left, here);
    }
    return objects.size() - left;
}

}  // namespace

CObjectSetCmd::CObjectSetCmd(const CObList& objects, BOOL inDocument) : m_inDocument(inDocument) {
    m_objects.reserve(static_cast<std::size_t>(objects.GetCount()));
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        m_objects.push_back(static_cast<CDrawObj*>(objects.GetNext(pos)));
    KeepFirstOfEach();
}

CObjectSetCmd::CObjectSetCmd(std::span<CDrawObj* const> objects, BOOL inDocument)
    : m_objects(objects.begin(), objects.end()), m_inDocument(inDocument) {
    KeepFirstOfEach();
}

CObjectSetCmd::CObjectSetCmd(CDrawObj* object, BOOL inDocument) : m_inDocument(inDocument) {
    if (object)
        m_objects.push_back(object);
}

// Each object stays where it first stands. The set's slots lie apart in a large table: each is
// asked for a few objects before it is read.
void CObjectSetCmd::KeepFirstOfEach() {
    PointerSet listed(m_objects.size());
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_objects.size(); ++i) {
        if (const std::size_t ahead = i + ObjectPlaces::kFetchLead; ahead < m_objects.size())
            listed.Fetch(m_objects[ahead]);
        if (listed.Insert(m_objects[i]))
            m_objects[kept++] = m_objects[i];
    }
    m_objects.resize(kept);
}

CObjectSetCmd::~CObjectSetCmd() {
    if (m_inDocument)
        return;
    for (CDrawObj* object : m_objects)
        object->Remove();
}

BOOL CObjectSetCmd::GetChangedObjects(std::vector<CDrawObj*>& objects) const {
    objects.insert(objects.end(), m_objects.begin(), m_objects.end());
    return TRUE;
}

BOOL CObjectSetCmd::LinkIn(CDrawDoc* doc) {
    CObList& list = doc->GetObjects();
    // Objects go back before their followers, each found once; all of them at the tail need no
    // look-up, as after undoing an add.
    const auto followed = static_cast<std::size_t>(
        std::count_if(m_followers.begin(), m_followers.end(), [](CDrawObj* f) { return f; }));
    ObjectPlaces places(list, followed ? followed + m_objects.size() : 0);
    if (places.Indexed() ? ReleaseObjectsIn(places) : ReleaseObjectsIn(list))
        return FALSE;
    assert(LinksNameDocumentObjects(m_links, doc));
    m_links.Restore();
    for (std::size_t i = 0; i < m_objects.size(); ++i) {
        if (const std::size_t ahead = i + ObjectPlaces::kFetchLead; ahead < m_objects.size()) {
            places.Fetch(m_objects[ahead]);
            if (CDrawObj* follower = FollowerOf(ahead))
                places.Fetch(follower);
        }
        CDrawObj* follower = FollowerOf(i);
        POSITION before = follower ? places.Find(follower) : nullptr;
        places.InsertBefore(before, m_objects[i]);
    }
    TellViews(doc, kUpdateJoinSelection);
    m_inDocument = TRUE;
    return TRUE;
}

BOOL CObjectSetCmd::TakeOut(CDrawDoc* doc) {
    CObList& objects = doc->GetObjects();
    if (POSITION first = TailRunStart(objects)) {
        ReleaseLinks();
        objects.RemoveTailFrom(first, static_cast<int>(m_objects.size()));
        m_followers.clear();  // each would go back to the tail
    } else if (!TakeOutEach(objects)) {
        return FALSE;
    }
    TellViews(doc, kUpdateLeaveSelection);
    m_inDocument = FALSE;
    return TRUE;
}

bool CObjectSetCmd::TakeOutEach(CObList& objects) {
    std::vector<POSITION> at(m_objects.size());
    if (!FindPositions(objects, at))
        return false;
    m_followers.resize(m_objects.size());
    ReleaseLinks();
    // A position stays valid until its own object leaves the list.
    for (std::size_t i = m_objects.size(); i-- > 0;) {
        POSITION next = at[i];
        objects.GetNext(next);
        m_followers[i] = next ? static_cast<CDrawObj*>(objects.GetAt(next)) : nullptr;
        objects.RemoveAt(at[i]);
    }
    return true;
}

void CObjectSetCmd::ReleaseLinks() {
    m_links.RemoveAll();
    m_links.CollectAndRelease(std::span<CDrawObj* const>(m_objects));
}

// The objects of an add stand at the tail of the list in the command's order until it is
// undone.
POSITION CObjectSetCmd::TailRunStart(const CObList& objects) const {
    POSITION first = nullptr;
    const std::size_t run =
        WalkTailRun(objects, m_objects, [&first](std::size_t, POSITION at) { first = at; });
    return run == m_objects.size() ? first : nullptr;
}

// Those of the objects found at the tail by a walk back need no index.
bool CObjectSetCmd::FindPositions(CObList& objects, std::vector<POSITION>& at) const {
    const std::size_t left =
        m_objects.size() - WalkTailRun(objects, m_objects,
                                       [&at](std::size_t index, POSITION pos) { at[index] = pos; });
    if (left == 0)
        return true;
    ObjectPlaces places(objects, left);
    for (std::size_t i = 0; i < left; ++i) {
        if (const std::size_t ahead = i + ObjectPlaces::kFetchLead; ahead < left)
            places.Fetch(m_objects[ahead]);
        at[i] = places.Find(m_objects[i]);
        if (!at[i])
            return false;
    }
    return true;
}

// Objects that the document holds already are not the command's to delete: it lets go of them.
// TRUE when there were any. They are found through the index when there is one, else through a
// set of the list, which an empty list does not need.
bool CObjectSetCmd::ReleaseObjectsIn(ObjectPlaces& places) {
    std::vector<bool> listed(m_objects.size());
    for (std::size_t i = 0; i < m_objects.size(); ++i) {
        if (const std::size_t ahead = i + ObjectPlaces::kFetchLead; ahead < m_objects.size())
            places.Fetch(m_objects[ahead]);
        listed[i] = places.Find(m_objects[i]) != nullptr;
    }
    return LetGoOf(listed);
}

bool CObjectSetCmd::ReleaseObjectsIn(const CObList& list) {
    std::vector<bool> listed(m_objects.size());
    if (!list.IsEmpty()) {
        PointerSet held(static_cast<std::size_t>(list.GetCount()));
        for (POSITION pos = list.GetHeadPosition(); pos;)
            held.Insert(list.GetNext(pos));
        for (std::size_t i = 0; i < m_objects.size(); ++i)
            listed[i] = held.Contains(m_objects[i]);
    }
    return LetGoOf(listed);
}

bool CObjectSetCmd::LetGoOf(const std::vector<bool>& listed) {
    if (std::ranges::find(listed, true) == listed.end())
        return false;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_objects.size(); ++i) {
        if (listed[i])
            continue;
        if (!m_followers.empty())
            m_followers[kept] = m_followers[i];
        m_objects[kept++] = m_objects[i];
    }
    const bool released = kept < m_objects.size();
    m_objects.resize(kept);
    if (!m_followers.empty())
        m_followers.resize(kept);
    return released;
}

// Each object is redrawn where it stands. A document without views is left alone: reading each
// object again for nobody costs a walk over all of them.
void CObjectSetCmd::TellViews(CDrawDoc* doc, int how) {
    if (doc->GetViews().empty())
        return;
    CObList objects;
    for (CDrawObj* object : m_objects) {
        object->Invalidate(nullptr);
        objects.AddTail(object);
    }
    UpdateViews(doc, &objects, how);
}
