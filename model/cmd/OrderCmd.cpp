#include "model/cmd/OrderCmd.h"

#include <algorithm>

#include "model/cmd/ObjectPlaces.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"

BOOL COrderCmd::Do(CDrawDoc* doc) {
    if (!AllInDocument(doc))
        return FALSE;
    for (Entry& entry : m_entries)
        MoveTo(doc, entry);
    return TRUE;
}

BOOL COrderCmd::Undo(CDrawDoc* doc) {
    if (!AllInDocument(doc))
        return FALSE;
    for (auto entry = m_entries.rbegin(); entry != m_entries.rend(); ++entry)
        MoveTo(doc, *entry);
    return TRUE;
}

BOOL COrderCmd::AllInDocument(CDrawDoc* doc) const {
    ObjectPlaces places(doc->GetObjects(), m_entries.size());
    return std::all_of(m_entries.begin(), m_entries.end(),
                       [&places](const Entry& entry) { return places.Find(entry.object); });
}

// Moves the entry's object to the entry's index (kept within the list) and keeps the index it
// came from in the entry, so that the same move made again takes it back.
void COrderCmd::MoveTo(CDrawDoc* doc, Entry& entry) {
    CObList& objects = doc->GetObjects();
    int from = 0;
    POSITION pos = objects.GetHeadPosition();
    while (objects.GetAt(pos) != entry.object) {
        objects.GetNext(pos);
        ++from;
    }
    const int to = std::clamp(entry.index, 0, objects.GetCount() - 1);
    entry.index = from;
    if (to == from)
        return;
    // The new place is the one the object at index `to` holds now: after it when moving toward
    // the tail, before it when moving toward the head.
    POSITION target = objects.FindIndex(to);
    if (to > from)
        objects.InsertAfter(target, entry.object);
    else
        objects.InsertBefore(target, entry.object);
    objects.RemoveAt(pos);
    entry.object->Invalidate(nullptr);
}
