// Wire groups: the walk over the wires that lie on each other, the net given to a whole group,
// the joining of the nets a connection brings together, and the wire's attributes, which are
// its net's.

#include <algorithm>
#include <memory>

#include "model/cmd/AttrEditCmd.h"
#include "model/cmd/NetChangeCmd.h"
#include "model/cmd/NetPropCmd.h"
#include "model/doc/DrawDoc.h"
#include "model/net/HiddenPinTies.h"
#include "model/net/Net.h"
#include "model/net/NetChooser.h"
#include "model/net/RailConnectors.h"
#include "model/net/Wire.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"

namespace {

const char* IdName() {
    return GetStdAttrName(kStdAttrId);
}

// The pin of a net connector an end lies on, or null.
CPin* ConnectorPin(CDrawObj* end) {
    auto* pin = DYNAMIC_DOWNCAST(CPin, end);
    return pin && pin->GetOwner() && pin->GetOwner()->GetKind() == kSymbolNetConnector ? pin
                                                                                       : nullptr;
}

// Whether the connector names a net of its own: its identifier, given to its pin, as the editor
// leaves a rail or connector it joined to a net. A connector fresh from the library does not.
bool NamesItsNet(CPin& pin) {
    const CString name = pin.GetAttr(IdName());
    return !name.IsEmpty() && pin.GetOwner()->GetAttr(IdName()) == name;
}

// The pins of connectors standing for a rail that the wire's ends lie on.
std::vector<CPin*> RailPins(const CWire& wire) {
    std::vector<CPin*> pins;
    for (CDrawObj* end : {wire.GetEndObject(), wire.GetStartObject()}) {
        if (CPin* pin = ConnectorPin(end); pin && !RailOf(*pin->GetOwner()).IsEmpty())
            pins.push_back(pin);
    }
    return pins;
}

// Records a command that is already done: joined to the last step when asked and possible,
// else as a step of its own, so that it is never lost.
void RecordDone(CDrawDoc* doc, CCommand* command, bool merge) {
    if (!merge || !doc->MergeCommand(command))
        doc->GetUndoList().Add(command);
}

// A name the user gives marks its net named, also when the name is the one the net has or the
// wires move onto a net of that name; recorded done with the edit when it is undoable.
void MarkUserNamed(CDrawDoc* doc, CNet& net, UINT flags) {
    constexpr DWORD kMask = kNetClearedByUserName | kNetNamed;
    if (!(flags & kSetAttrUser) || (net.GetFlags() & kMask) == kNetNamed)
        return;
    const bool undoable = (flags & kSetAttrUndoable) && doc;
    auto* naming = undoable ? new CNetPropCmd(&net) : nullptr;
    if (naming)
        naming->KeepTextPlaces(doc);
    net.SetFlags(kNetNamed, kMask);
    if (naming)
        RecordDone(doc, naming, true);
}

// The nets the wires hold, each once.
std::vector<CNet*> NetsOf(const std::vector<CWire*>& wires) {
    std::vector<CNet*> nets;
    for (const CWire* wire : wires) {
        if (std::find(nets.begin(), nets.end(), wire->GetNet()) == nets.end())
            nets.push_back(wire->GetNet());
    }
    return nets;
}

// After the wires moved from the nets of leaving to net: the ties of the nets that ended are
// net's, in the step of the move.
void KeepJoinedTies(CDrawDoc* doc, CNet& net, const std::vector<CNet*>& leaving) {
    if (std::unique_ptr<CNetPropCmd> edit = JoinHiddenPinTies(*doc, net, leaving))
        RecordDone(doc, edit.release(), true);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Group walk

// Depth first with a stack of its own, so that long chains of wires cannot exhaust the call
// stack; the order is that of the recursive walk.
BOOL CWire::WalkGroup(const std::function<int(CWire*)>& callback,
                      std::unordered_set<const CWire*>* visited) {
    std::unordered_set<const CWire*> own;
    std::unordered_set<const CWire*>& seen = visited ? *visited : own;
    const int type = GetObjType();
    std::vector<CWire*> stack{this};
    std::vector<CWire*> next;
    while (!stack.empty()) {
        CWire* wire = stack.back();
        stack.pop_back();
        if (!seen.insert(wire).second)
            continue;
        const int answer = callback(wire);
        if (answer == kWalkStop)
            return FALSE;
        if (answer == kWalkSkip)
            continue;
        next.clear();
        const auto offer = [&](CObject* object) {
            auto* other = DYNAMIC_DOWNCAST(CWire, object);
            if (other && other->GetObjType() == type && !seen.contains(other))
                next.push_back(other);
        };
        offer(wire->m_start);
        offer(wire->m_end);
        for (POSITION pos = wire->m_junctions.GetHeadPosition(); pos;)
            offer(wire->m_junctions.GetNext(pos));
        stack.insert(stack.end(), next.rbegin(), next.rend());
    }
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Nets of a group

void CWire::SetGroupNet(CNet* net, UINT flags) {
    if (!net)
        return;
    std::vector<CWire*> changing;
    WalkGroup([&](CWire* wire) {
        if (wire->m_net != net)
            changing.push_back(wire);
        return kWalkOn;
    });
    if (!(flags & kGroupNetRecord) || !m_document) {
        for (CWire* wire : changing) {
            net->AddRef();
            if (CNet* old = wire->SetNet(net))
                old->Release();
            wire->RefreshAttrTexts(nullptr);
        }
        return;
    }
    if (changing.empty())
        return;
    const std::vector<CNet*> leaving = NetsOf(changing);
    auto* command = new CNetChangeCmd(changing, net);
    bool done = true;
    if (flags & kGroupNetMerge) {
        command->Do(m_document);
        RecordDone(m_document, command, true);
    } else {
        done = m_document->GetUndoList().Execute(command) != FALSE;
    }
    if (done)
        KeepJoinedTies(m_document, *net, leaving);
    RefreshAttrTexts(nullptr);
}

BOOL CWire::CanKeepNet(CNet* net) {
    int idTexts = 0;
    int openEnds = 0;
    int holding = 0;
    bool connectorNamesNet = false;
    std::unordered_set<const CWire*> group;
    WalkGroup(
        [&](CWire* wire) {
            if (wire->m_net == net)
                ++holding;
            if (wire->FindAttrText(IdName()))
                ++idTexts;
            for (CDrawObj* end : {wire->m_start, wire->m_end}) {
                if (!end || end->GetObjType() == kObjBus || ConnectorPin(end))
                    ++openEnds;
                if (CPin* pin = ConnectorPin(end); pin && net)
                    connectorNamesNet |= pin->GetAttr(IdName()) == net->GetName();
            }
            return kWalkOn;
        },
        &group);
    // A net connector names the net wherever it stands: connectors named alike join their
    // wires in one net.
    if ((idTexts > 0 && openEnds > 0) || connectorNamesNet)
        return TRUE;
    // Every holder keeps a reference: with no more references than the group holds, nothing
    // outside the group carries the net.
    if (!m_document || !net || net->GetRefCount() <= holding)
        return TRUE;
    const CObList& objects = m_document->GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        if (object->GetNet() == net && !group.contains(DYNAMIC_DOWNCAST(CWire, object)))
            return FALSE;
    }
    return TRUE;
}

void CWire::CollectCandidateNets(std::vector<CNet*>& candidates, std::vector<CNet*>& byConnector,
                                 std::vector<std::unique_ptr<CNet>>& remembered) {
    const auto listed = [&candidates](const CNet* net) {
        return std::any_of(candidates.begin(), candidates.end(), [net](const CNet* other) {
            return other == net || other->GetName() == net->GetName();
        });
    };
    WalkGroup([&](CWire* wire) {
        if (wire->m_net &&
            std::find(candidates.begin(), candidates.end(), wire->m_net) == candidates.end())
            candidates.push_back(wire->m_net);
        for (CDrawObj* end : {wire->m_end, wire->m_start}) {
            CPin* pin = ConnectorPin(end);
            if (!pin || !m_document)
                continue;
            CNet* named = m_document->FindNet(pin->GetAttr(IdName()));
            if (!named && NamesItsNet(*pin)) {
                remembered.push_back(std::make_unique<CNet>(pin->GetAttr(IdName())));
                named = remembered.back().get();
            }
            if (named && !listed(named)) {
                candidates.push_back(named);
                byConnector.push_back(named);
            }
        }
        return kWalkOn;
    });
}

// Nets named by connectors count as named while the choice is made, and are marked named only
// when the joining goes through. A name only a connector of its own name remembers gives way to
// any named net that meets the group, so that joining such a connector never renames a net the
// user named; the name of a rail does not give way, as a rail's net does not.
BOOL CWire::JoinNets() {
    std::vector<CNet*> candidates;
    std::vector<CNet*> byConnector;
    std::vector<std::unique_ptr<CNet>> remembered;
    CollectCandidateNets(candidates, byConnector, remembered);
    std::erase_if(candidates, [this](CNet* net) { return !CanKeepNet(net); });
    const auto named = [&](const CNet* net) {
        return (net->GetFlags() & kNetNamed) ||
               std::find(byConnector.begin(), byConnector.end(), net) != byConnector.end();
    };
    // The names the group's rails give their nets.
    std::vector<CString> rails;
    WalkGroup([&rails](CWire* wire) {
        for (CPin* pin : RailPins(*wire)) {
            if (NamesItsNet(*pin))
                rails.push_back(pin->GetAttr(IdName()));
        }
        return kWalkOn;
    });
    const auto givesWay = [&](const CNet* net) {
        return std::find(rails.begin(), rails.end(), net->GetName()) == rails.end() &&
               std::any_of(remembered.begin(), remembered.end(),
                           [net](const auto& own) { return own.get() == net; });
    };
    if (std::any_of(candidates.begin(), candidates.end(),
                    [&](const CNet* net) { return named(net) && !givesWay(net); }))
        std::erase_if(candidates, givesWay);
    for (auto it = candidates.begin(); candidates.size() > 1 && it != candidates.end();)
        it = named(*it) ? it + 1 : candidates.erase(it);
    std::unique_ptr<CNet> fresh;
    if (candidates.empty()) {
        fresh = std::make_unique<CNet>();
        candidates.push_back(fresh.get());
    }
    CNet* chosen = candidates.size() > 1 ? GetNetChooser().ChooseNet(candidates) : candidates[0];
    if (!chosen)
        return FALSE;
    if (std::find(byConnector.begin(), byConnector.end(), chosen) != byConnector.end())
        chosen->SetFlags(kNetNamed, kNetNamed);
    std::vector<CWire*> changing;
    std::vector<CWire*> group;
    WalkGroup([&](CWire* wire) {
        // A rail's pin names the net the group keeps, so that a net kept against the rail's
        // is not asked about again.
        const auto namesOther = [chosen](CPin* pin) {
            return !chosen->GetName().IsEmpty() && pin->GetAttr(IdName()) != chosen->GetName();
        };
        const std::vector<CPin*> rails = RailPins(*wire);
        if (wire->m_net != chosen || std::any_of(rails.begin(), rails.end(), namesOther))
            changing.push_back(wire);
        group.push_back(wire);
        return kWalkOn;
    });
    if (!changing.empty()) {
        // Held by the wires from now on.
        static_cast<void>(fresh.release());
        for (auto& own : remembered) {
            if (own.get() == chosen)
                static_cast<void>(own.release());
        }
        const std::vector<CNet*> leaving = NetsOf(changing);
        auto* command = new CNetChangeCmd(changing, chosen);
        command->Do(m_document);
        if (m_document) {
            RecordDone(m_document, command, true);
            KeepJoinedTies(m_document, *chosen, leaving);
        } else {
            delete command;
        }
    }
    if (m_net && m_net->GetName().IsEmpty()) {
        // Recorded, so that undoing the edit leaves the net unnamed as it was.
        auto* naming = m_document ? new CNetPropCmd(m_net) : nullptr;
        // With no more references than the group's, its wires are all that show the name.
        const bool onlyGroup = m_net->GetRefCount() <= static_cast<int>(group.size()) + 1;
        if (naming)
            naming->KeepTextPlaces(m_document);
        m_net->MakeUniqueName(m_document, !onlyGroup);
        for (CWire* wire : onlyGroup ? group : std::vector<CWire*>())
            wire->RefreshAttrTexts(IdName());
        if (naming && onlyGroup)
            naming->SetHolders(std::vector<CDrawObj*>(group.begin(), group.end()));
        if (naming)
            RecordDone(m_document, naming, true);
    }
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Attributes

int CWire::SetAttr(const char* name, const char* value, UINT flags) {
    if (!m_net || !name)
        return FALSE;
    CString checked(value ? value : "");
    if (!(flags & kSetAttrForce) && m_net->CheckAttrValue(name, checked) != 0)
        return FALSE;
    if (CString(name) == IdName())
        return SetId(checked, flags);
    return SetNetAttr(name, value, flags);
}

int CWire::SetId(const char* value, UINT flags) {
    CString name(value);
    name.Trim();
    if (name.IsEmpty())
        return FALSE;
    if (CNet* existing = m_document ? m_document->FindNet(name) : nullptr) {
        const bool moving = existing != m_net;
        if (moving)
            SetGroupNet(existing, flags);
        MarkUserNamed(m_document, *existing, flags);
        if (!moving)
            return TRUE;
        // The connectors of rails the group joins to a net of the user's take its name.
        std::vector<CSymbol*> leaving;
        WalkGroup([&](CWire* wire) {
            for (CPin* pin : RailPins(*wire)) {
                if (!StaysOnRail(*pin->GetOwner(), name, flags))
                    leaving.push_back(pin->GetOwner());
            }
            return kWalkOn;
        });
        const UINT recorded = flags & kSetAttrUndoable ? kSetAttrUndoable | kSetAttrMerge : 0;
        for (CSymbol* connector : leaving) {
            connector->SetAttr(IdName(), name, kSetAttrForce | kSetAttrUser | recorded);
            LeaveRail(*connector, false);
        }
        return TRUE;
    }
    int inGroup = 0;
    WalkGroup([&inGroup](CWire*) {
        ++inGroup;
        return kWalkOn;
    });
    int holders = 0;
    const CObList* objects = m_document ? &m_document->GetObjects() : nullptr;
    for (POSITION pos = objects ? objects->GetHeadPosition() : nullptr; pos;) {
        if (static_cast<CDrawObj*>(objects->GetNext(pos))->GetNet() == m_net)
            ++holders;
    }
    if (inGroup < holders) {
        auto* net = new CNet(name);
        if (flags & kSetAttrUser)
            net->SetFlags(kNetNamed, kNetNamed);
        SetGroupNet(net, flags);
        if (net->GetRefCount() == 0)
            net->Release();
        return TRUE;
    }
    // The connectors first, so that undoing the step gives the net its name back before the
    // connectors theirs.
    const bool undoable = (flags & kSetAttrUndoable) && m_document;
    bool recorded = false;
    for (POSITION pos = objects ? objects->GetHeadPosition() : nullptr; pos;) {
        auto* holder = DYNAMIC_DOWNCAST(CWire, objects->GetNext(pos));
        if (!holder || holder->m_net != m_net)
            continue;
        for (CDrawObj* end : {holder->m_start, holder->m_end}) {
            CPin* pin = ConnectorPin(end);
            CSymbol* connector = pin ? pin->GetOwner() : nullptr;
            // A connector that stands for a rail keeps the rail's name and its pin names the
            // net, unless the name is the user's own, which the connector takes, leaving the
            // rail.
            const bool rail = connector && StaysOnRail(*connector, name, flags);
            CDrawObj* named = rail ? static_cast<CDrawObj*>(pin) : connector;
            if (!named || named->GetAttr(IdName()) == name)
                continue;
            CString old;
            const BOOL existed = connector->LookupAttr(IdName(), old);
            CString pinOld;
            const BOOL pinExisted = pin->LookupAttr(IdName(), pinOld);
            if (rail)
                pin->SetNetConnectorName(name);
            else
                connector->SetAttr(IdName(), name, kSetAttrForce);
            pin->RefreshAttrTexts(nullptr);
            if (!undoable)
                continue;
            RecordDone(m_document, new CAttrEditCmd(IdName(), pinOld, !pinExisted, pin),
                       recorded || (flags & kSetAttrMerge));
            if (!rail)
                RecordDone(m_document, new CAttrEditCmd(IdName(), old, !existed, connector), true);
            recorded = true;
        }
        for (CDrawObj* end : {holder->m_start, holder->m_end}) {
            CPin* pin = ConnectorPin(end);
            CSymbol* connector = pin ? pin->GetOwner() : nullptr;
            if (!connector || RailOf(*connector).IsEmpty() || StaysOnRail(*connector, name, flags))
                continue;
            LeaveRail(*connector, undoable, recorded || (flags & kSetAttrMerge));
            recorded = recorded || undoable;
        }
    }
    if (!undoable)
        return SetNetAttr(IdName(), name, flags);
    // The net's own record of the edit brings back its named state with its name.
    auto* renaming = new CNetPropCmd(m_net, "property edit");
    renaming->KeepTextPlaces(m_document);
    if (!SetNetAttr(IdName(), name, flags & ~(kSetAttrUndoable | kSetAttrMerge))) {
        delete renaming;
        return FALSE;
    }
    RecordDone(m_document, renaming, recorded || (flags & kSetAttrMerge));
    return TRUE;
}

int CWire::SetNetAttr(const char* name, const char* value, UINT flags) {
    if (!m_net)
        return FALSE;
    if ((flags & kSetAttrUndoable) && m_document) {
        CString old;
        if (m_net->LookupAttr(name, old) && old == value)
            return TRUE;
        // The net's own record of the edit, as for a new name: a value the user sets also marks
        // the net named, and every object carrying the net shows the value anew, which undo
        // takes back with the places of their texts.
        auto* edit = new CNetPropCmd(m_net, "property edit");
        edit->KeepTextPlaces(m_document);
        const int result = SetNetAttr(name, value, flags & ~(kSetAttrUndoable | kSetAttrMerge));
        if (!result) {
            delete edit;
            return result;
        }
        RecordDone(m_document, edit, flags & kSetAttrMerge);
        return result;
    }
    if (!m_net->SetAttr(name, value, flags))
        return FALSE;
    const CObList* objects = m_document ? &m_document->GetObjects() : nullptr;
    for (POSITION pos = objects ? objects->GetHeadPosition() : nullptr; pos;) {
        auto* object = static_cast<CDrawObj*>(objects->GetNext(pos));
        if (object->GetNet() == m_net)
            object->RefreshAttrTexts(name);
    }
    if (!m_document)
        RefreshAttrTexts(name);
    return TRUE;
}
