#include "model/cmd/ConnectorJoin.h"

#include <vector>

#include "model/net/Wire.h"
#include "model/object/DrawObj.h"
#include "model/symbol/Pin.h"
#include "model/undo/ConnectionList.h"

namespace {

// Results of ConnectWith acted on.
constexpr int kConnectAndStop = 1;
constexpr int kConnectAndGoOn = 2;
constexpr int kConnectLater = 3;
constexpr DWORD kNetConnectorKind = 0x200;
constexpr DWORD kSymbolKindBits = 0x700;

CDrawObj* At(const CObList& list, POSITION& pos) {
    return static_cast<CDrawObj*>(list.GetNext(pos));
}

bool IsNetConnector(const CDrawObj* object) {
    return object->GetObjType() == kObjSymbol &&
           (object->GetFlags() & kSymbolKindBits) == kNetConnectorKind;
}

bool IsWireOrBus(const CDrawObj* object) {
    return object->GetObjType() == kObjWire || object->GetObjType() == kObjBus;
}

// A wire end is linked to a pin only where it lies on the pin's connection point: an end that
// only comes near the pin stays free, as the link would not outlast a check of the ends. Whether
// the link found still links anything.
bool KeepPinsUnderEnds(WireConnectInfo& found) {
    const auto* wire = dynamic_cast<const CWire*>(found.wire);
    if (!wire)
        return false;
    const auto under = [wire](CDrawObj* target, int fromEnd) -> CDrawObj* {
        const auto* pin = dynamic_cast<const CPin*>(target);
        return !pin || pin->GetConnectPoint() == wire->GetPointFromEnd(fromEnd, 0) ? target
                                                                                   : nullptr;
    };
    found.start = under(found.start, 0);
    found.end = under(found.end, 1);
    return found.start || found.end;
}

// Makes the link found between object and candidate; whether their nets must be joined.
bool Connect(CDrawObj* object, CDrawObj* candidate, const WireConnectInfo& found,
             const LinkMade& made) {
    const CConnectionRecord record{found.wire, (found.start ? 1 : 0) | (found.end ? 2 : 0),
                                   found.start, found.end};
    found.wire->Connect(&record);
    if (made)
        made(record);
    object->Invalidate(nullptr);
    candidate->Invalidate(nullptr);
    const CNet* mine = object->GetNet();
    const CNet* theirs = candidate->GetNet();
    if (mine && theirs)
        return mine != theirs;
    return (mine || theirs) && (IsNetConnector(object) || IsNetConnector(candidate));
}

// Links one connector of object; a wire candidate that only touches the connector is taken
// when nothing else is, and the ends of a wire linked so are laid on it.
bool ConnectConnector(CDrawObj* object, int connector, const std::vector<CDrawObj*>& candidates,
                      const LinkMade& made) {
    ConnectInfo info;
    object->GetConnectInfo(connector, &info);
    if (info.freeEnds == 0)
        return false;
    bool joinNets = false;
    CDrawObj* pending = nullptr;
    WireConnectInfo pendingLink;
    for (CDrawObj* candidate : candidates) {
        if (candidate == object || !(info.acceptedTypes & ObjTypeMask(candidate->GetObjType())))
            continue;
        WireConnectInfo link;
        int result = candidate->ConnectWith(object, &link);
        if (result != kConnectNone && !KeepPinsUnderEnds(link))
            result = kConnectNone;
        if (result == kConnectAndStop || result == kConnectAndGoOn) {
            joinNets |= Connect(object, candidate, link, made);
            pending = nullptr;
            if (result == kConnectAndStop)
                break;
        } else if (result == kConnectLater) {
            pending = candidate;
            pendingLink = link;
        }
    }
    if (pending) {
        joinNets |= Connect(object, pending, pendingLink, made);
        if (IsWireOrBus(object) && IsWireOrBus(pending))
            static_cast<CWire*>(object)->AlignEndsOnWires();
    }
    return joinNets;
}

}  // namespace

bool ConnectFreeConnectors(const CObList& objects, const CObList& candidates,
                           const CandidateFilter& filter, const LinkMade& made) {
    std::vector<CDrawObj*> others;
    for (POSITION pos = candidates.GetHeadPosition(); pos;) {
        CDrawObj* candidate = At(candidates, pos);
        if (!filter || filter(candidate))
            others.push_back(candidate);
    }
    bool joinNets = false;
    for (POSITION at = objects.GetHeadPosition(); at;) {
        CDrawObj* object = At(objects, at);
        for (int i = 1; i <= object->GetConnectorCount(); ++i)
            joinNets |= ConnectConnector(object, i, others, made);
    }
    return joinNets;
}
