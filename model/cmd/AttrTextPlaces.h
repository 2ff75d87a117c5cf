#pragma once
// The rectangles of a command's objects and of their attribute texts, kept from one exchange to
// the next. A text that comes to show another value is laid out anew, which also normalises a
// rectangle that a mirror or a turn left reversed, and an object that paints an attribute (a
// pin its name) lays out its own rectangle again; laying them out again on undo cannot bring
// back rectangles stored by another machine's fonts or left reversed. An exchange command runs
// each exchange through Exchange, which puts the objects and texts back as they stood before
// the exchange before it, so undo and redo give every rectangle back exactly.

#include <functional>
#include <vector>

#include "platform/Geometry.h"

class CAttrText;
class CDrawObj;

class AttrTextPlaces {
public:
    // For a command recorded already done: the places the owners' texts have before the edit,
    // which its first exchange (the undo) gives back.
    void Keep(const std::vector<CDrawObj*>& owners);
    // Runs the exchange, which hands the texts of owners to incoming (the same objects, unless
    // the exchange puts others in their places). When it succeeds, each kept text that incoming
    // holds stands where it was kept, and the places the texts had before this exchange are
    // kept for the next. What the exchange returned.
    bool Exchange(const std::vector<CDrawObj*>& owners, const std::vector<CDrawObj*>& incoming,
                  const std::function<bool()>& exchange);
    bool Exchange(const std::vector<CDrawObj*>& owners, const std::function<bool()>& exchange) {
        return Exchange(owners, owners, exchange);
    }

private:
    struct Place {
        CDrawObj* object;  // an owner or one of its texts
        CRect rect;
    };
    static std::vector<Place> PlacesOf(const std::vector<CDrawObj*>& owners);

    std::vector<Place> m_kept;
};
