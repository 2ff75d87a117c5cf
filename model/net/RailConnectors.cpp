#include "model/net/RailConnectors.h"

#include <vector>

#include "model/cmd/AttrEditCmd.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/net/WireRails.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"

namespace {

// The library's ground, by whose name a ground of an older sheet is known, and its rail.
constexpr const char* kLibraryGround = "Ground";
constexpr const char* kFirstGround = "Ground1";

const char* IdName() {
    return GetStdAttrName(kStdAttrId);
}

void Record(CDrawDoc& doc, CCommand* command) {
    if (!doc.MergeCommand(command))
        doc.GetUndoList().Add(command);
}

CPin* FirstPin(CSymbol& symbol) {
    return symbol.GetPins().IsEmpty() ? nullptr : static_cast<CPin*>(symbol.GetPins().GetHead());
}

CWire* WireOn(CPin* pin) {
    return pin ? DYNAMIC_DOWNCAST(CWire, pin->GetWire()) : nullptr;
}

std::vector<CSymbol*> NetConnectors(CDrawDoc& doc) {
    std::vector<CSymbol*> connectors;
    const CObList& objects = doc.GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        if (object->GetObjType() == kObjSymbol &&
            static_cast<CSymbol*>(object)->GetKind() == kSymbolNetConnector)
            connectors.push_back(static_cast<CSymbol*>(object));
    }
    return connectors;
}

CWire* FirstWireOn(CDrawDoc& doc, const CString& net) {
    const CObList& objects = doc.GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* wire = DYNAMIC_DOWNCAST(CWire, objects.GetNext(pos));
        if (wire && wire->GetObjType() == kObjWire && wire->GetNet() &&
            wire->GetNet()->GetName() == net)
            return wire;
    }
    return nullptr;
}

// Each group of the net in turn takes the name: a group whose net other groups share moves to
// a net of its own, the last one renames the net. Joined to the last step.
void RenameNet(CDrawDoc& doc, const CString& from, const CString& to) {
    constexpr UINT kFlags = kSetAttrUndoable | kSetAttrUser | kSetAttrMerge | kSetAttrRailRename;
    for (int groups = doc.GetObjects().GetCount(); groups > 0 && !from.IsEmpty(); --groups) {
        CWire* wire = FirstWireOn(doc, from);
        if (!wire || !wire->SetAttr(IdName(), to, kFlags))
            break;
    }
}

bool IsOlderGround(CSymbol& symbol) {
    CString ignored;
    return symbol.GetAttr(GetStdAttrName(kStdAttrName)) == kLibraryGround &&
           symbol.GetAttr(IdName()).IsEmpty() && !symbol.LookupAttr(kRailAttrName, ignored);
}

}  // namespace

CString RailOf(CSymbol& symbol) {
    CString rail;
    if (symbol.GetKind() != kSymbolNetConnector || !symbol.LookupAttr(kRailAttrName, rail))
        return {};
    return rail;
}

void FollowRail(CSymbol& connector, RailRecord record) {
    CDrawDoc* doc = connector.GetDocument();
    const CString rail = RailOf(connector);
    CString name;
    if (!doc || rail.IsEmpty() || !doc->GetAttribute(rail, name) || name.IsEmpty())
        return;
    CString old;
    const BOOL had = connector.LookupAttr(IdName(), old);
    if (old == name)
        return;
    CPin* pin = FirstPin(connector);
    CWire* wire = WireOn(pin);
    const CNet* net = wire ? wire->GetNet() : nullptr;
    CString pinOld;
    const BOOL pinHad = pin && pin->LookupAttr(IdName(), pinOld);
    const bool namedNet = net && !old.IsEmpty() && pinOld == old && net->GetName() == old;
    const bool keptOther = net && !namedNet && pinOld == net->GetName();
    connector.SetAttr(IdName(), name, kSetAttrForce);
    if (keptOther)
        pin->SetNetConnectorName(pinOld);
    if (pin)
        pin->RefreshAttrTexts(nullptr);
    if (record == RailRecord::kAll) {
        // The pin first, so that undoing gives the connector its name back before the pin.
        if (pin && pin->GetAttr(IdName()) != pinOld)
            Record(*doc, new CAttrEditCmd(IdName(), pinOld, !pinHad, pin));
        Record(*doc, new CAttrEditCmd(IdName(), old, !had, &connector));
    }
    if (!namedNet)
        return;
    const UINT recorded = record == RailRecord::kNothing ? 0 : kSetAttrUndoable | kSetAttrMerge;
    wire->SetAttr(IdName(), name, kSetAttrUser | recorded);
}

bool StaysOnRail(CSymbol& connector, const CString& name, UINT flags) {
    const CString rail = RailOf(connector);
    if (rail.IsEmpty())
        return false;
    CDrawDoc* doc = connector.GetDocument();
    const int index = FindRail(rail);
    return name.IsEmpty() || (flags & kSetAttrRailRename) || !doc || index < 0 ||
           name == RailNetName(*doc, index);
}

void LeaveRail(CSymbol& connector, bool record, bool merge) {
    const CString rail = RailOf(connector);
    CDrawDoc* doc = connector.GetDocument();
    if (rail.IsEmpty())
        return;
    connector.SetAttr(kRailAttrName, "", kSetAttrForce);
    if (!record || !doc)
        return;
    auto* command = new CAttrEditCmd(kRailAttrName, rail, FALSE, &connector);
    if (!merge || !doc->MergeCommand(command))
        doc->GetUndoList().Add(command);
}

void KeepUserName(CSymbol& connector, bool recordRail) {
    const CString name = connector.GetAttr(IdName());
    if (RailOf(connector).IsEmpty() || StaysOnRail(connector, name))
        return;
    LeaveRail(connector, recordRail);
    CWire* wire = WireOn(FirstPin(connector));
    if (wire && wire->GetNet() && wire->GetNet()->GetName() != name)
        wire->SetAttr(IdName(), name, kSetAttrUndoable | kSetAttrUser | kSetAttrMerge);
}

void FollowRailRenames(CDrawDoc& doc, const std::vector<RailRename>& renames) {
    struct Move {
        CString rail;
        CString from;
        CString to;
    };
    std::vector<Move> moves;
    for (const RailRename& rename : renames) {
        CString name;
        if (FindRail(rename.rail) >= 0 && doc.GetAttribute(rename.rail, name) && !name.IsEmpty() &&
            name != rename.old)
            moves.push_back({rename.rail, rename.old, name});
    }
    // Rails that trade names, or one taking the name another gives up, would meet on the way:
    // with more than one, each net first takes a name no net has.
    for (Move& move : moves) {
        if (moves.size() == 1)
            break;
        CString passing = move.from + "~" + move.rail;
        while (doc.FindNet(passing))
            passing += "~";
        RenameNet(doc, move.from, passing);
        move.from = passing;
    }
    for (const Move& move : moves)
        RenameNet(doc, move.from, move.to);
    for (const Move& move : moves) {
        for (CSymbol* connector : NetConnectors(doc)) {
            if (RailOf(*connector) == move.rail)
                FollowRail(*connector, RailRecord::kAll);
        }
    }
}

void FollowRailsAfterLoad(CDrawDoc& doc) {
    CString ground;
    const bool grounded = doc.GetAttribute(kFirstGround, ground) && !ground.IsEmpty();
    for (CSymbol* connector : NetConnectors(doc)) {
        if (!grounded || !IsOlderGround(*connector))
            continue;
        connector->SetAttr(kRailAttrName, kFirstGround, kSetAttrForce);
        CPin* pin = FirstPin(*connector);
        CWire* wire = WireOn(pin);
        const CNet* net = wire ? wire->GetNet() : nullptr;
        connector->SetAttr(IdName(), ground, kSetAttrForce);
        if (net && !(net->GetFlags() & kNetNamed))
            wire->SetAttr(IdName(), ground, kSetAttrUser);
        else if (net)
            pin->SetNetConnectorName(net->GetName());
    }
}
