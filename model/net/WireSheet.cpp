#include "model/net/WireSheet.h"

#include <algorithm>
#include <map>
#include <memory>
#include <unordered_set>

#include "model/cmd/NamedCmd.h"
#include "model/cmd/NamedEdit.h"
#include "model/cmd/NetPropCmd.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Bus.h"
#include "model/net/Net.h"
#include "model/object/StdAttrNames.h"
#include "platform/UserPrompt.h"

namespace {

const char* const kMultiple = " (Multiple Selection)";

CString Title(const char* name, std::size_t count) {
    CString title(name);
    if (count > 1)
        title += kMultiple;
    return title;
}

void Merge(std::vector<AttrRow>& rows, const CString& name, const CString& value) {
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [&name](const AttrRow& row) { return row.name == name; });
    if (found == rows.end()) {
        rows.push_back({name, value, 0, 1});
        return;
    }
    ++found->count;
    if (found->value != value || (found->flags & kAttrRowMixed)) {
        found->value.Empty();
        found->flags |= kAttrRowMixed;
    }
}

// The rows written into one net: deleted ones removed; added ones set; others set where the
// net has the attribute or for a single wire; empty values of several wires and kept rows left.
// The net's name is never among them: it is given where names join (CWire::SetAttr).
void ApplyRows(CNet& net, const std::vector<AttrRow>& rows, bool several) {
    for (const AttrRow& row : rows) {
        if (row.name == GetStdAttrName(kStdAttrId))
            continue;
        if (row.flags & kAttrRowRemove) {
            net.RemoveAttr(row.name);
            continue;
        }
        if ((row.value.IsEmpty() && several) || (row.flags & kAttrRowKeep))
            continue;
        CString present;
        if ((row.flags & kAttrRowAdd) || !several || net.LookupAttr(row.name, present))
            net.SetAttr(row.name, row.value, kSetAttrForce);
    }
}

void RefreshHolders(CDrawDoc& doc, const CNet* net) {
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(doc.GetObjects().GetNext(pos));
        if (object->GetNet() == net)
            object->RefreshAttrTexts(nullptr);
    }
}

// The copies of the objects standing in their places, or null when they cannot be made.
template <class T>
std::unique_ptr<CNamedCmd> BeginCopies(CDrawDoc& doc, const std::vector<T*>& objects,
                                       const char* name) {
    CObList list;
    for (T* object : objects)
        list.AddTail(object);
    auto command = std::make_unique<CNamedCmd>();
    if (objects.empty() || !command->BeginEdit(&doc, list, name))
        return nullptr;
    return command;
}

// A bus's copy has a net of its own: copies of buses that shared a net share the first one's.
void ShareNetsAsBefore(const std::vector<CBus*>& buses, const CObList& copies) {
    std::map<const CNet*, CNet*> copied;
    POSITION at = copies.GetHeadPosition();
    for (const CBus* bus : buses) {
        auto* copy = static_cast<CBus*>(copies.GetNext(at));
        const auto [first, added] = copied.emplace(bus->GetNet(), copy->GetNet());
        if (added || !first->second)
            continue;
        first->second->AddRef();
        if (CNet* own = copy->SetNet(first->second))
            own->Release();
    }
}

int TriState(bool first, int state, bool on) {
    const int now = on ? 1 : 0;
    return first || state == now ? now : 2;
}

// An option that is not mixed is written.
bool IsGiven(int state) {
    return state == 0 || state == 1;
}

void ApplyTriState(CDrawObj& object, int state, DWORD bits) {
    if (IsGiven(state))
        object.SetFlags(state ? bits : 0, bits);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Running

namespace {

// Cancels every sheet.
class CancellingRunner : public IWireSheetRunner {
public:
    bool RunWireSheet(WireSheet&, const std::vector<CWire*>&, StyleApplier&) override {
        return false;
    }
    bool RunBusSheet(BusSheet&, const std::vector<CBus*>&, StyleApplier&) override { return false; }
};

// The objects of the type among the view's selection, each repainted; the selection is emptied
// when there are any, and saved handed back.
template <class T>
std::vector<T*> TakeSelected(IDocView& view, int type, CObList& saved) {
    std::vector<T*> objects;
    const CObList& selection = view.GetSelection();
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(selection.GetNext(pos));
        object->Invalidate(&view);
        if (object->GetObjType() == type)
            objects.push_back(static_cast<T*>(object));
    }
    if (objects.empty())
        return objects;
    saved.AddTail(&selection);
    view.OnUpdate(nullptr, kHintDeselect, nullptr, nullptr);
    return objects;
}

}  // namespace

template <>
IWireSheetRunner& Installed<IWireSheetRunner>::Fallback() {
    static CancellingRunner runner;
    return runner;
}

void EditWireProperties(IDocView& view, CDrawDoc& doc) {
    CObList saved;
    const std::vector<CWire*> wires = TakeSelected<CWire>(view, kObjWire, saved);
    if (wires.empty())
        return;
    WireSheet sheet = MakeWireSheet(wires);
    StyleApplier style;
    if (GetWireSheetRunner().RunWireSheet(sheet, wires, style) &&
        ApplyWireSheet(doc, wires, sheet, style))
        return;
    view.OnUpdate(nullptr, kHintReplaceSelection, nullptr, &saved);
}

void EditBusProperties(IDocView& view, CDrawDoc& doc) {
    CObList saved;
    const std::vector<CBus*> buses = TakeSelected<CBus>(view, kObjBus, saved);
    if (buses.empty())
        return;
    BusSheet sheet = MakeBusSheet(buses);
    StyleApplier style;
    if (GetWireSheetRunner().RunBusSheet(sheet, buses, style) &&
        ApplyBusSheet(doc, buses, sheet, style))
        return;
    view.OnUpdate(nullptr, kHintReplaceSelection, nullptr, &saved);
}

// ---------------------------------------------------------------------------------------------
// Loading

std::vector<AttrRow> LoadNetAttrRows(const std::vector<CWire*>& wires) {
    std::vector<AttrRow> rows;
    for (CWire* wire : wires) {
        const CNet* net = wire->GetNet();
        for (int i = 1; net && i < net->GetAttrCount(); ++i) {
            CString name;
            CString value;
            net->GetAttrAt(i, name, value);
            Merge(rows, name, value);
        }
    }
    return rows;
}

int RefuseNetNameOnAttributePage(const CString& name, const CString&) {
    CString trimmed = name;
    trimmed.Trim();
    if (trimmed != GetStdAttrName(kStdAttrId))
        return 0;
    AfxMessageBox(
        "Use Object > Show Net Name and edit the name shown on the sheet to set the net name "
        "(_ID) attribute.");
    return 1;
}

WireSheet MakeWireSheet(const std::vector<CWire*>& wires) {
    return {Title("Wire Properties", wires.size()), LoadNetAttrRows(wires),
            RefuseNetNameOnAttributePage};
}

BusSheet MakeBusSheet(const std::vector<CBus*>& buses) {
    BusSheet sheet{Title("Bus Properties", buses.size()), {}};
    sheet.general.Load(buses);
    return sheet;
}

void BusGeneral::Load(const std::vector<CBus*>& buses) {
    bool first = true;
    for (CBus* bus : buses) {
        const CString id = bus->GetAttr(GetStdAttrName(kStdAttrId));
        const DWORD flags = bus->GetFlags();
        if (first) {
            name = id;
            width = bus->GetWidth();
        } else {
            if (name != id)
                name.Empty();
            if (width != bus->GetWidth())
                width = -1;
        }
        reverse = TriState(first, reverse, flags & kBusReverseFlow);
        startArrow = TriState(first, startArrow, flags & kBusStartArrow);
        endArrow = TriState(first, endArrow, flags & kBusEndArrow);
        first = false;
    }
}

// The outline is laid out anew only when a width or an arrow is given: a bus keeps the
// rectangle it was stored with (by another program, say) through an OK that gives neither.
void BusGeneral::ApplyTo(CBus& bus) const {
    if (!name.IsEmpty())
        bus.SetAttr(GetStdAttrName(kStdAttrId), name, 0);
    if (width >= 0)
        bus.SetWidth(width);
    ApplyTriState(bus, reverse, kBusReverseFlow);
    ApplyTriState(bus, startArrow, kBusStartArrow);
    ApplyTriState(bus, endArrow, kBusEndArrow);
    if (width >= 0 || IsGiven(startArrow) || IsGiven(endArrow))
        bus.RecalcBounds(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Applying

BOOL ApplyWireSheet(CDrawDoc& doc, const std::vector<CWire*>& wires, const WireSheet& sheet,
                    const StyleApplier& style) {
    std::unique_ptr<CNamedCmd> command = BeginCopies(doc, wires, "wire properties");
    if (!command)
        return FALSE;
    CObList& copies = command->GetCopies();
    std::unordered_set<const CNet*> visited;
    std::vector<std::unique_ptr<CNetPropCmd>> netEdits;
    for (POSITION pos = copies.GetHeadPosition(); pos;) {
        auto* copy = static_cast<CDrawObj*>(copies.GetNext(pos));
        if (style)
            style(copy);
        CNet* net = copy->GetNet();
        if (!net || !visited.insert(net).second)
            continue;
        auto edit = std::make_unique<CNetPropCmd>(net);
        ApplyRows(*net, sheet.rows, wires.size() > 1);
        if (edit->HasChanged()) {
            RefreshHolders(doc, net);
            netEdits.push_back(std::move(edit));
        }
    }
    // The wires store their nets: unchanged copies mean no net was changed either.
    if (!RecordNamedEdit(doc, std::move(command)))
        return TRUE;
    for (std::unique_ptr<CNetPropCmd>& edit : netEdits) {
        if (doc.MergeCommand(edit.get()))
            static_cast<void>(edit.release());
        else
            doc.GetUndoList().Add(edit.release());
    }
    return TRUE;
}

BOOL ApplyBusSheet(CDrawDoc& doc, const std::vector<CBus*>& buses, const BusSheet& sheet,
                   const StyleApplier& style) {
    std::unique_ptr<CNamedCmd> command = BeginCopies(doc, buses, "bus properties");
    if (!command)
        return FALSE;
    CObList& copies = command->GetCopies();
    ShareNetsAsBefore(buses, copies);
    for (POSITION pos = copies.GetHeadPosition(); pos;) {
        auto* copy = static_cast<CBus*>(copies.GetNext(pos));
        sheet.general.ApplyTo(*copy);
        if (style)
            style(copy);
    }
    RecordNamedEdit(doc, std::move(command));
    return TRUE;
}
