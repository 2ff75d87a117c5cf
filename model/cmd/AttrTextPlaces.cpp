#include "model/cmd/AttrTextPlaces.h"

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

void AttrTextPlaces::Exchange(const std::vector<CDrawObj*>& owners,
                              const std::function<void()>& exchange) {
    std::vector<Place> before = PlacesOf(owners);
    exchange();
    for (const Place& place : m_kept)
        place.text->MoveTo(place.rect, nullptr);
    m_kept = std::move(before);
}
