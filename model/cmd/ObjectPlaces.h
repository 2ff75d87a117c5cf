#pragma once
// ObjectPlaces: finds objects of a document's object list by identity while a command takes
// objects out, puts them back or replaces them. A few look-ups scan the list from the tail,
// where the newest objects are; many go through a hash index built once and kept up to date
// by the edits made through this class. A walk over many objects asks for each one's entry
// (Fetch) a few objects ahead, so that the reads of entries lying apart overlap.

#include <cstddef>

#include "platform/ObList.h"
#include "platform/PointerMap.h"

class ObjectPlaces {
public:
    // How many objects ahead of its look-ups a walk asks for their entries.
    static constexpr std::size_t kFetchLead = 16;

    // lookups: about how many look-ups will follow.
    ObjectPlaces(CObList& objects, std::size_t lookups);

    // Whether look-ups go through the index rather than a scan from the tail.
    bool Indexed() const { return m_indexed; }
    // Asks for the index entry that a Find or InsertBefore of the object will read.
    void Fetch(const CObject* object) const {
        if (m_indexed)
            m_index.Fetch(object);
    }
    // The object's position; null when it is not in the list.
    POSITION Find(const CObject* object);
    // The object after pos; null at the tail.
    CObject* Follower(POSITION pos) const;
    // Inserts before pos, or at the tail when pos is null; the new position.
    POSITION InsertBefore(POSITION pos, CObject* object);
    void RemoveAt(POSITION pos);
    void SetAt(POSITION pos, CObject* object);

private:
    void BuildIndex();

    CObList& m_objects;
    bool m_indexed;
    PointerMap m_index;  // object to POSITION
};
