#pragma once
// The pins on every net of a sheet, gathered in one pass over its objects: for each net name
// the pins that lie on it: drawn pins whose wire carries it (as a whole or, for a bus net, as
// one of its members), unwired hidden pins that their devices or the nets' ties put on it, in
// the order of the objects; and how many hidden pins that no symbol draws lie on it. A check of a
// large sheet asks this once instead of walking the sheet for every net.
//
// Pins are kept by place (the symbol's place in the object list and the pin's place in the
// symbol), not by address, so the index may be kept while the sheet changes: a place that no
// longer names a pin gives none.

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/CString.h"

class CDrawDoc;
class CDrawObj;
class CHiddenPinTies;
class CPin;

struct DrcPinPlace {
    int object = 0;
    int pin = 0;
};

class CDrcNetPins {
public:
    struct Net {
        std::vector<DrcPinPlace> pins;
        int undrawn = 0;  // hidden pins that no symbol draws
    };

    CDrcNetPins() = default;
    // objects: the document's objects in list order; ties: the document's hidden-pin ties.
    CDrcNetPins(const CHiddenPinTies& ties, const std::vector<CDrawObj*>& objects);

    // The pins of the net of that name; null when no pin lies on it.
    const Net* Find(const CString& name) const;
    // Some object carries a net of that name.
    bool HasNet(const CString& name) const;
    // The pin at place among objects; null when there is none.
    static CPin* Resolve(const std::vector<CDrawObj*>& objects, DrcPinPlace place);

private:
    void AddHiddenPins(const CHiddenPinTies& ties, const std::vector<CDrawObj*>& objects,
                       int index);

    std::unordered_map<std::string, Net> m_nets;
    std::unordered_set<std::string> m_carried;
    // While gathering: per net, the hidden pins (CHiddenPinTies::PartPinKey) and whether a
    // symbol draws them.
    std::unordered_map<std::string, std::unordered_map<std::string, bool>> m_hidden;
};

// What the checks of one object see: its document, the document's objects in list order, the
// pins on its nets and the hidden-pin ties read when the check began.
struct DrcCheckContext {
    CDrawDoc& document;
    const std::vector<CDrawObj*>& objects;
    const CDrcNetPins& nets;
    const CHiddenPinTies& ties;
};
