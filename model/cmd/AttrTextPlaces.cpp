#include "model/cmd/AttrTextPlaces.h"

#include <unordered_set>
#include <utility>

#include "model/object/DrawObj.h"
#include "model/text/AttrText.h"
#include "platform/ObList.h"

std::vector<AttrTextPlaces::Place> AttrTextPlaces::PlacesOf(const std::vector<CDrawObj*>& owners) {
    std::vector<Place> places;
    for (CDrawObj* owner : owners) {
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

// Only the texts that incoming holds are moved: a kept text that left it is not touched.
bool AttrTextPlaces::Exchange(const std::vector<CDrawObj*>& owners,
                              const std::vector<CDrawObj*>& incoming,
                              const std::function<bool()>& exchange) {
    std::vector<Place> before = PlacesOf(owners);
    if (!exchange())
        return false;
    std::unordered_set<const CAttrText*> held;
    for (const Place& place : PlacesOf(incoming))
        held.insert(place.text);
    for (const Place& place : m_kept) {
        if (held.contains(place.text))
            place.text->MoveTo(place.rect, nullptr);
    }
    m_kept = std::move(before);
    return true;
}
