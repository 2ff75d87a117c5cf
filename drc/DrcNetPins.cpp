#include "drc/DrcNetPins.h"

#include <vector>

#include "model/app/NameList.h"
#include "model/device/Device.h"
#include "model/device/ImplicitPins.h"
#include "model/net/HiddenPinTies.h"
#include "model/net/Net.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "netlist/walker/DocNetlist.h"
#include "platform/Arrays.h"

namespace {

int PlaceOf(CSymbol& symbol, const CPin* pin) {
    int index = 0;
    for (POSITION pos = symbol.GetPins().GetHeadPosition(); pos; ++index) {
        if (symbol.GetPins().GetNext(pos) == pin)
            return index;
    }
    return -1;
}

int CountNames(const CString& text) {
    CStringArray names;
    ExpandNameList(names, text);
    return static_cast<int>(names.GetSize());
}

}  // namespace

CDrcNetPins::CDrcNetPins(const CHiddenPinTies& ties, const std::vector<CDrawObj*>& objects) {
    CStringArray members;
    for (int i = 0; i < static_cast<int>(objects.size()); ++i) {
        CDrawObj* object = objects[static_cast<size_t>(i)];
        if (const CNet* net = object->GetNet())
            m_carried.insert(net->GetName().str());
        if (object->GetObjType() != kObjSymbol ||
            IsSymbolKindInMask(object, kKindMaskGraphical | kKindMaskNetConnector))
            continue;
        auto* symbol = static_cast<CSymbol*>(object);
        int place = 0;
        for (POSITION pos = symbol->GetPins().GetHeadPosition(); pos; ++place) {
            auto* pin = static_cast<CPin*>(symbol->GetPins().GetNext(pos));
            const CNet* net = pin->GetWire() ? pin->GetWire()->GetNet() : nullptr;
            if (!net)
                continue;
            const CString& name = net->GetName();
            m_nets[name.str()].pins.push_back({i, place});
            // A pin on a bus net lies also on the members its own name has a place for.
            members.RemoveAll();
            ExpandNameList(members, name);
            if (members.GetSize() == 1 && members[0] == name)
                continue;
            const int ids = CountNames(pin->GetAttr(GetStdAttrName(kStdAttrId)));
            for (int k = 0; k < members.GetSize(); ++k) {
                if (members[k] != name && (ids > k || (ids == 0 && k == 0)))
                    m_nets[members[k].str()].pins.push_back({i, place});
            }
        }
        AddHiddenPins(ties, objects, i);
    }
    for (const auto& [name, pins] : m_hidden) {
        for (const auto& [key, drawn] : pins)
            m_nets[name].undrawn += drawn ? 0 : 1;
    }
    m_hidden.clear();
}

// The device's hidden pins: a drawn one without a wire lies on its net; one that no symbol
// draws is counted.
void CDrcNetPins::AddHiddenPins(const CHiddenPinTies& ties, const std::vector<CDrawObj*>& objects,
                                int index) {
    auto* symbol = static_cast<CSymbol*>(objects[static_cast<size_t>(index)]);
    const CDevice* device = symbol->GetDevice();
    if (!device)
        return;
    const std::vector<ImplicitPin> pins = device->GetImplicitPins();
    if (pins.empty())
        return;
    const CString part = PartIdOf(*symbol);
    for (const auto& [name, number] : pins) {
        CString net;
        if (!ties.NetOf(*symbol, name.c_str(), net))
            continue;
        std::unordered_map<std::string, bool>& hidden = m_hidden[net.str()];
        const std::string key = CHiddenPinTies::PartPinKey(part, index, name);
        CPin* drawn = symbol->FindPin(name.c_str());
        if (!drawn) {
            hidden.try_emplace(key, false);
            continue;
        }
        hidden[key] = true;
        if (!drawn->GetWire())
            m_nets[net.str()].pins.push_back({index, PlaceOf(*symbol, drawn)});
    }
}

const CDrcNetPins::Net* CDrcNetPins::Find(const CString& name) const {
    const auto it = m_nets.find(name.str());
    return it == m_nets.end() ? nullptr : &it->second;
}

bool CDrcNetPins::HasNet(const CString& name) const {
    return m_carried.count(name.str()) != 0;
}

CPin* CDrcNetPins::Resolve(const std::vector<CDrawObj*>& objects, DrcPinPlace place) {
    if (place.object < 0 || place.object >= static_cast<int>(objects.size()) || place.pin < 0)
        return nullptr;
    CDrawObj* object = objects[static_cast<size_t>(place.object)];
    if (object->GetObjType() != kObjSymbol)
        return nullptr;
    CObList& pins = static_cast<CSymbol*>(object)->GetPins();
    POSITION pos = pins.FindIndex(place.pin);
    return pos ? static_cast<CPin*>(pins.GetAt(pos)) : nullptr;
}
