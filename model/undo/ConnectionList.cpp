#include "model/undo/ConnectionList.h"

#include <algorithm>

#include "model/object/DrawObj.h"
#include "platform/ObList.h"

namespace {

void Unmark(std::span<CDrawObj* const> objects) {
    for (CDrawObj* object : objects)
        object->SetMark(FALSE);
}

// Items of one list go back in the order of their places: every item before a place is then
// back where it was when the item goes there.
void PutInPlace(std::vector<CLinkPlace>& places) {
    std::ranges::stable_sort(places, {}, &CLinkPlace::index);
    for (const CLinkPlace& place : places) {
        CObList& list = *place.list;
        const POSITION at = list.Find(place.item);
        if (!at)
            continue;
        list.RemoveAt(at);
        if (const POSITION before = list.FindIndex(place.index))
            list.InsertBefore(before, place.item);
        else
            list.AddTail(place.item);
    }
}

}  // namespace

int LinkPlaceIn(const CObList* list, const CObject* item) {
    int index = 0;
    for (POSITION pos = list ? list->GetHeadPosition() : nullptr; pos; ++index) {
        if (list->GetNext(pos) == item)
            return index;
    }
    return kNoLinkPlace;
}

CConnectionList::CConnectionList(int growth) : m_growth(std::max(growth, 1)) {}

CConnectionList::CConnectionList(const CConnectionList& other)
    : m_growth(other.m_growth), m_capacity(other.GetCount()), m_records(other.m_records) {}

void CConnectionList::Add(const CConnectionRecord& record) {
    if (GetCount() == m_capacity) {
        m_capacity += m_growth;
        m_records.reserve(static_cast<std::size_t>(m_capacity));
    }
    m_records.push_back(record);
}

void CConnectionList::Collect(const CObList& objects) {
    Collect(DrawObjectsOf(objects));
}

void CConnectionList::Collect(std::span<CDrawObj* const> objects) {
    for (CDrawObj* object : objects)
        object->SetMark(TRUE);
    for (CDrawObj* object : objects)
        object->CollectConnections(this);
    Unmark(objects);
}

void CConnectionList::CollectInOrder(const CObList& objects) {
    CollectInOrder(DrawObjectsOf(objects));
}

void CConnectionList::CollectInOrder(std::span<CDrawObj* const> objects) {
    for (CDrawObj* object : objects) {
        object->CollectConnections(this);
        object->SetMark(TRUE);
    }
    Unmark(objects);
}

void CConnectionList::CollectAndRelease(const CObList& objects) {
    CollectAndRelease(DrawObjectsOf(objects));
}

void CConnectionList::CollectAndRelease(std::span<CDrawObj* const> objects) {
    Collect(objects);
    Release();
}

// Each object gets a copy of its record; records without an object are passed over.
void CConnectionList::Release() const {
    for (CConnectionRecord record : m_records) {
        if (record.object)
            record.object->Disconnect(&record);
    }
}

void CConnectionList::Restore() const {
    std::vector<CLinkPlace> places;
    for (CConnectionRecord record : m_records) {
        if (!record.object)
            continue;
        record.object->Connect(&record);
        record.object->GetLinkPlaces(record, places);
    }
    PutInPlace(places);
}

void CConnectionList::Replace(const CDrawObj* oldObject, CDrawObj* newObject) {
    for (CConnectionRecord& record : m_records) {
        for (CDrawObj** field : {&record.object, &record.partner, &record.extra}) {
            if (*field == oldObject)
                *field = newObject;
        }
    }
}

void CConnectionList::Remove(const CDrawObj* object) {
    std::erase_if(m_records, [object](const CConnectionRecord& record) {
        return record.object == object || record.partner == object || record.extra == object;
    });
}
