#pragma once
// ObjectPlaces: finds objects of a document's object list by identity while a command takes
// objects out, puts them back or replaces them. A few look-ups scan the list from the tail,
// where the newest objects are; many go through a hash index built once and kept up to date
// by the edits made through this class.

#include <cstddef>

#include "platform/ObList.h"
#include "platform/PointerMap.h"

class ObjectPlaces {
public:
    // lookups: about how many look-ups will follow.
    ObjectPlaces(CObList& objects, std::size_t lookups);

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
