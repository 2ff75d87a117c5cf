#include "model/cmd/ObjectPlaces.h"

#include <algorithm>

namespace {
// More look-ups than this build the index.
constexpr std::size_t kScanLookups = 4;
}  // namespace

ObjectPlaces::ObjectPlaces(CObList& objects, std::size_t lookups)
    : m_objects(objects),
      m_indexed(lookups > kScanLookups),
      // Room for the objects, or for those put in (at most one for every two look-ups).
      m_index(m_indexed ? std::max(static_cast<std::size_t>(objects.GetCount()), lookups / 2) : 0) {
    if (m_indexed)
        BuildIndex();
}

void ObjectPlaces::BuildIndex() {
    POSITION ahead = m_objects.GetHeadPosition();
    for (std::size_t i = 0; i < kFetchLead && ahead; ++i)
        m_index.Fetch(m_objects.GetNext(ahead));
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        if (ahead)
            m_index.Fetch(m_objects.GetNext(ahead));
        POSITION at = pos;
        m_index.Set(m_objects.GetNext(pos), at);
    }
}

POSITION ObjectPlaces::Find(const CObject* object) {
    if (m_indexed)
        return static_cast<POSITION>(m_index.Get(object));
    for (POSITION pos = m_objects.GetTailPosition(); pos;) {
        POSITION at = pos;
        if (m_objects.GetPrev(pos) == object)
            return at;
    }
    return nullptr;
}

CObject* ObjectPlaces::Follower(POSITION pos) const {
    m_objects.GetNext(pos);
    return pos ? m_objects.GetAt(pos) : nullptr;
}

POSITION ObjectPlaces::InsertBefore(POSITION pos, CObject* object) {
    POSITION added = pos ? m_objects.InsertBefore(pos, object) : m_objects.AddTail(object);
    if (m_indexed)
        m_index.Set(object, added);
    return added;
}

void ObjectPlaces::RemoveAt(POSITION pos) {
    if (m_indexed)
        m_index.Remove(m_objects.GetAt(pos));
    m_objects.RemoveAt(pos);
}

void ObjectPlaces::SetAt(POSITION pos, CObject* object) {
    if (m_indexed) {
        m_index.Remove(m_objects.GetAt(pos));
        m_index.Set(object, pos);
    }
    m_objects.SetAt(pos, object);
}
