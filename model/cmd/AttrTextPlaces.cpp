#include "model/cmd/AttrTextPlaces.h"

#include <unordered_set>
#include <utility>

#include "model/object/DrawObj.h"
#include "model/text/AttrText.h"
#include "platform/ObList.h"

std::vector<AttrTextPlaces::Place> AttrTextPlaces::PlacesOf(const std::vector<CDrawObj*>& owners) {
    std::vector<Place> places;
    for (CDrawObj* owner : owners) {
        places.push_back({owner, owner->GetPosition()});
        const CObList* texts = owner->GetAttrTextList();
        for (POSITION pos = texts ? texts->GetHeadPosition() : nullptr; pos;) {
            if (auto* text = dynamic_cast<CAttrText*>(texts->GetNext(pos)))
                places.push_back({text, text->GetPosition()});
        }
    }
    return places;
}

void AttrTextPlaces::Keep(const std::vector<CDrawObj*>& owners) {
    m_kept = PlacesOf(owners);
}

// Only the objects and texts that incoming holds are given back their rectangles: a kept one
// that left it is not touched. Texts move to theirs; an owner's rectangle, which it lays out
// from what it holds, is put back as it was.
bool AttrTextPlaces::Exchange(const std::vector<CDrawObj*>& owners,
                              const std::vector<CDrawObj*>& incoming,
                              const std::function<bool()>& exchange) {
    std::vector<Place> before = PlacesOf(owners);
    if (!exchange())
        return false;
    std::unordered_set<const CDrawObj*> held;
    for (const Place& place : PlacesOf(incoming))
        held.insert(place.object);
    for (const Place& place : m_kept) {
        if (!held.contains(place.object))
            continue;
        if (dynamic_cast<CAttrText*>(place.object)) {
            place.object->MoveTo(place.rect, nullptr);
            continue;
        }
        // The views repaint the object where it stood and where it stands again.
        place.object->Invalidate(nullptr);
        place.object->RestorePosition(place.rect);
        place.object->Invalidate(nullptr);
    }
    m_kept = std::move(before);
    return true;
}
