// The circuit of one sheet: its records and how it is read from the sheet.

#include "netlist/circuit/NetlistCircuit.h"

#include <array>
#include <ostream>
#include <string_view>
#include <utility>

#include "model/app/NameList.h"
#include "model/device/Device.h"
#include "model/device/ImplicitPins.h"
#include "model/doc/DrawDoc.h"
#include "model/net/HiddenPinTies.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "platform/Prefetch.h"

namespace {

constexpr const char* kNetSuffix = ".Net";
const CString kNoName;
// The pins of a part whose wires and nets are fetched ahead.
constexpr size_t kFetchedPins = 32;

CString Attr(CDrawObj& object, int name) {
    return object.GetAttr(GetStdAttrName(name));
}

// The members of a name list. A plain name, the common case, is its own only member: it skips
// the list parser and is not copied. The text must outlive the members.
class NameMembers {
public:
    explicit NameMembers(const CString& text) : m_plain(IsPlainName(text.str()) ? &text : nullptr) {
        if (!m_plain)
            ExpandNameList(m_list, text);
    }

    int GetSize() const { return m_plain ? 1 : m_list.GetSize(); }
    bool IsEmpty() const { return GetSize() == 0; }
    const CString& operator[](int i) const { return m_plain ? *m_plain : m_list[i]; }

private:
    const CString* m_plain;
    CStringArray m_list;
};

// The name of the net the pin's wire carries; empty when it carries none.
const CString& PinNetName(const CPin& pin) {
    const CDrawObj* wire = pin.GetWire();
    const CNet* net = wire ? wire->GetNet() : nullptr;
    return net ? net->GetName() : kNoName;
}

bool HasNet(const CPin& pin) {
    return pin.GetWire() && pin.GetWire()->GetNet();
}

void LogBusMismatch(std::ostream& log, const CString& id, const CString& pinId, const char* against,
                    const CString& what) {
    log << "Error - " << id << " bussed pin " << pinId << " mismatch with " << against << " "
        << what << ".\n";
}

// The port symbols and the sub-circuit blocks of a sheet, in list order.
struct SheetSymbols {
    explicit SheetSymbols(CDocNetlist& walker) {
        const DWORD kinds = kKindMaskPort | kKindMaskSubCircuit;
        for (POSITION pos = walker.GetFirstSymbolOfKind(kinds); pos;) {
            auto* symbol = static_cast<CSymbol*>(walker.GetNextSymbolOfKind(pos, kinds));
            (IsSymbolKindInMask(symbol, kKindMaskPort) ? ports : blocks).push_back(symbol);
        }
    }
    std::vector<CSymbol*> ports;
    std::vector<CSymbol*> blocks;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Records

std::unique_ptr<CComponentRecord> CComponentRecord::CopyWith(
    const std::function<CNetRecord*(CNetRecord*)>& netOf, CPinTextPool& texts) const {
    auto copy = std::make_unique<CComponentRecord>();
    copy->id = id;
    copy->footprint = footprint;
    copy->value = value;
    if (attributes) {
        copy->attributes = std::make_unique<CMapStringToString>();
        copy->attributes->CopyFrom(*attributes);
    }
    copy->pins = pins;
    for (CPinConnection& pin : copy->pins) {
        pin.name = texts.Get(pin.name);
        pin.number = texts.Get(pin.number);
        pin.net = pin.net ? netOf(pin.net) : nullptr;
    }
    return copy;
}

CPinConnection* CComponentRecord::FindPin(CPinText pinName, CPinText pinNumber) {
    for (CPinConnection& pin : pins) {
        if (pin.number == pinNumber && pin.name == pinName)
            return &pin;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// The circuit

// The numbers a device section gives its pins, as their "No" attributes read them from the
// section's line of the device's pin map, which the part walk found once for all its pins.
class CNetlistCircuit::SectionPinNumbers {
public:
    SectionPinNumbers(const CSymbol& section, CPinMapLine* line, CNetlistCircuit& circuit)
        : m_device(section.GetDevice()),
          m_line(line),
          m_mapped(line ? &circuit.MappedPinsOf(*line) : nullptr) {}

    // The pin named pinId as the section's line maps it, or null.
    const MappedPin* Find(const CString& pinId) const {
        const CPinMapPair* pair = m_line ? m_line->FindPin(pinId.str()) : nullptr;
        return pair ? &(*m_mapped)[static_cast<size_t>(pair - m_line->pairs.data())] : nullptr;
    }
    // The number of a pin the line does not map: none on a device's symbol, the name itself
    // on a symbol without a device.
    CString OfUnmapped(const CString& pinId) const { return m_device ? CString() : pinId; }

private:
    const CDevice* m_device;
    CPinMapLine* m_line;
    const std::vector<MappedPin>* m_mapped;
};

CNetlistCircuit::~CNetlistCircuit() {
    Clear();
}

void CNetlistCircuit::Release() {
    if (--m_refCount < 1)
        delete this;
}

void CNetlistCircuit::Clear() {
    m_ports.RemoveAll();
    m_parts.clear();
    m_instances.clear();
    m_rails.clear();
    m_nets.RemoveAll();
    m_records.clear();
    m_deviceShares.clear();
    m_mappedPins.clear();
    m_pinTexts.Clear();
}

CNetRecord* CNetlistCircuit::GetNet(const CString& name) {
    CNetRecord*& net = m_nets[name];  // null when just added
    if (!net)
        net = &m_records.emplace_back(name);
    return net;
}

void CNetlistCircuit::ReplaceNet(CNetRecord* newNet, CNetRecord* oldNet) {
    ReplaceNetFrom(newNet, oldNet, 0, 0);
}

void CNetlistCircuit::ReplaceNetFrom(CNetRecord* newNet, CNetRecord* oldNet, size_t firstPart,
                                     size_t firstInstance) {
    auto replaceIn = [&](const auto& records, size_t first) {
        for (size_t i = first; i < records.size(); ++i) {
            for (CPinConnection& pin : records[i]->pins) {
                if (pin.net == oldNet)
                    pin.net = newNet;
            }
        }
    };
    replaceIn(m_parts, firstPart);
    replaceIn(m_instances, firstInstance);
    m_ports.ForEach([&](const CString& /*name*/, CNetRecord*& net) {
        if (net == oldNet)
            net = newNet;
    });
}

BOOL CNetlistCircuit::BuildParts(CDocNetlist& walker, std::ostream& log) {
    Clear();
    ReadRails(walker);
    const SheetSymbols symbols(walker);
    if (!AddPorts(symbols.ports, log))
        return FALSE;
    if (CDrawDoc* doc = walker.GetDocument())
        m_ties = std::make_unique<CHiddenPinTies>(*doc);
    for (POSITION pos = walker.GetFirstPart(nullptr); pos;) {
        CObList sections;
        walker.GetNextPart(pos, &sections, nullptr);
        AddPart(walker, sections, log);
    }
    // Devices and nets may change or go once the build is over.
    m_deviceShares.clear();
    m_mappedPins.clear();
    m_ties.reset();
    return AddInstances(symbols.blocks, log);
}

BOOL CNetlistCircuit::BuildSymbols(CDocNetlist& walker, std::ostream& log) {
    Clear();
    ReadRails(walker);
    const SheetSymbols symbols(walker);
    if (!AddPorts(symbols.ports, log))
        return FALSE;
    for (POSITION pos = walker.GetFirstSymbolOfKind(kKindMaskDevice); pos;)
        AddSymbol(walker, *static_cast<CSymbol*>(walker.GetNextSymbolOfKind(pos, kKindMaskDevice)),
                  log);
    return AddInstances(symbols.blocks, log);
}

void CNetlistCircuit::ReadRails(CDocNetlist& walker) {
    for (const CString& name : walker.GetSupplyNetNames())
        m_rails.insert(name.str());
}

BOOL CNetlistCircuit::AddPorts(const std::vector<CSymbol*>& ports, std::ostream& log) {
    for (CSymbol* port : ports) {
        for (POSITION pinPos = port->GetPins().GetHeadPosition(); pinPos;) {
            auto* pin = static_cast<CPin*>(port->GetPins().GetNext(pinPos));
            if (!HasNet(*pin))
                continue;
            const CString id = Attr(*pin, kStdAttrId);
            const CString& netName = PinNetName(*pin);
            const NameMembers nets(netName);
            const NameMembers names(id);
            if (nets.GetSize() != names.GetSize()) {
                log << "Error : Port " << id << " different number of nets";
                return FALSE;
            }
            for (int i = 0; i < names.GetSize(); ++i)
                m_ports.SetAt(names[i], GetNet(nets[i]));
        }
    }
    return TRUE;
}

BOOL CNetlistCircuit::AddInstances(const std::vector<CSymbol*>& blocks, std::ostream& log) {
    for (CSymbol* block : blocks) {
        if (block->GetPins().IsEmpty())
            continue;
        auto instance = std::make_unique<CComponentRecord>();
        instance->id = Attr(*block, kStdAttrId);
        CComponentRecord& record = *instance;
        m_instances.push_back(std::move(instance));
        for (POSITION pinPos = block->GetPins().GetHeadPosition(); pinPos;) {
            auto* pin = static_cast<CPin*>(block->GetPins().GetNext(pinPos));
            const CString pinId = Attr(*pin, kStdAttrId);
            const CString& netName = PinNetName(*pin);
            const NameMembers names(pinId);
            const NameMembers nets(netName);
            if (!nets.IsEmpty() && nets.GetSize() != names.GetSize()) {
                LogBusMismatch(log, record.id, pinId, "net", netName);
                return FALSE;
            }
            for (int i = 0; i < names.GetSize(); ++i) {
                CNetRecord* net = nets.IsEmpty() ? nullptr : GetNet(nets[i]);
                record.pins.push_back({PinText(names[i]), CPinText(), net, 0});
            }
        }
    }
    return TRUE;
}

BOOL CNetlistCircuit::AddPart(CDocNetlist& walker, const CObList& sections, std::ostream& log) {
    if (sections.IsEmpty())
        return TRUE;
    auto* first = static_cast<CSymbol*>(sections.GetHead());
    m_parts.push_back(std::make_unique<CComponentRecord>());
    CComponentRecord& part = *m_parts.back();
    const CPartSections read = walker.TakePartSections(sections);
    const CString& did = read.did;
    const CDevice* device = first->GetDevice();
    part.id = device ? did : Attr(*first, kStdAttrId);
    const DeviceShare* share = device ? &ShareOf(walker, *device) : nullptr;
    if (share)
        part.footprint = share->footprint;
    if (part.footprint.IsEmpty())
        part.footprint = Attr(*first, kStdAttrFootprint);
    part.value = Attr(*first, kStdAttrValue);
    ReserveDrawnPins(sections, share ? share->hiddenPins.size() : 0, part);
    if (share) {
        if (part.value.IsEmpty())
            part.value = share->name;
        AddPartHiddenPins(*share, *first, part);
    }
    if (part.value.IsEmpty())
        part.value = Attr(*first, kStdAttrName);
    if (m_flags & kCircuitCopyAttributes) {
        part.attributes = std::make_unique<CMapStringToString>();
        part.attributes->CopyFrom(*first->GetAttrMap());
        for (int i = 0; device && i < device->GetAttrCount(); ++i) {
            CString name;
            CString value;
            device->GetAttrAt(i, name, value);
            if (!value.IsEmpty())
                part.attributes->SetAt(name, value);
        }
    }
    if ((m_flags & kCircuitCheckFootprints) && part.footprint.IsEmpty())
        log << "Error - " << part.id << " no PCB footprint set.\n";
    size_t at = 0;
    for (POSITION pos = sections.GetHeadPosition(); pos; ++at) {
        auto* section = static_cast<CSymbol*>(sections.GetNext(pos));
        if (!AddSectionPins(*section, SectionPinNumbers(*section, read.lines[at], *this), part, did,
                            log))
            return FALSE;
    }
    return TRUE;
}

void CNetlistCircuit::ReserveDrawnPins(const CObList& sections, size_t hiddenRoom,
                                       CComponentRecord& part) const {
    // A pin, its wire, the wire's net and the net's look-up cell lie apart in memory, and each is
    // found through the one before. Each link of that chain is followed for all of the part's
    // pins in one go, so that their fetches overlap instead of waiting on one another as the
    // pins are read.
    std::array<const CDrawObj*, kFetchedPins> wires{};
    size_t fetched = 0;
    size_t drawn = 0;
    for (POSITION pos = sections.GetHeadPosition(); pos;) {
        const CObList& pins = static_cast<CSymbol*>(sections.GetNext(pos))->GetPins();
        drawn += static_cast<size_t>(pins.GetCount());
        for (POSITION pinPos = pins.GetHeadPosition(); pinPos;) {
            const auto* pin = static_cast<const CPin*>(pins.GetNext(pinPos));
            FetchLines(pin, sizeof(CPin));
            if (fetched < wires.size() && pin->GetWire())
                wires[fetched++] = pin->GetWire();
        }
    }
    for (size_t i = 0; i < fetched; ++i)
        FetchLines(wires[i], sizeof(CWire));
    for (size_t i = 0; i < fetched; ++i) {
        if (const CNet* net = wires[i]->GetNet())
            m_nets.FetchAhead(net->GetName());
    }
    part.pins.reserve(part.pins.size() + drawn + hiddenRoom);
}

BOOL CNetlistCircuit::AddSectionPins(CSymbol& section, const SectionPinNumbers& pinNumbers,
                                     CComponentRecord& part, const CString& did,
                                     std::ostream& log) {
    for (POSITION pos = section.GetPins().GetHeadPosition(); pos;) {
        auto* pin = static_cast<CPin*>(section.GetPins().GetNext(pos));
        const CString& pinId = pin->GetId();
        const CString& netName = PinNetName(*pin);
        const NameMembers nets(netName);
        // Most pins have one name and one number, which their line of the map keeps ready.
        const MappedPin* mapped = pinNumbers.Find(pinId);
        if (mapped && mapped->plain) {
            if (!nets.IsEmpty() && nets.GetSize() != 1) {
                LogBusMismatch(log, part.id, pinId, "net", netName);
                return FALSE;
            }
            Connect(part, *pin, mapped->name, mapped->number,
                    nets.IsEmpty() ? nullptr : GetNet(nets[0]), did, log);
            continue;
        }
        const CString number = mapped ? mapped->number.str() : pinNumbers.OfUnmapped(pinId);
        const NameMembers names(pinId);
        const NameMembers numbers(number);
        if (names.GetSize() > 1 && numbers.GetSize() != names.GetSize()) {
            LogBusMismatch(log, part.id, pinId, "pin numbers", number);
            return FALSE;
        }
        if (!nets.IsEmpty() && nets.GetSize() != names.GetSize()) {
            LogBusMismatch(log, part.id, pinId, "net", netName);
            return FALSE;
        }
        for (int i = 0; i < numbers.GetSize(); ++i) {
            // A pin whose name lists nothing still gets its numbers, under an empty name.
            const CPinText name = PinText(names.GetSize() > 1 ? names[i]
                                          : names.IsEmpty()   ? kNoName
                                                              : names[0]);
            CNetRecord* net =
                nets.IsEmpty() ? nullptr : GetNet(nets.GetSize() > i ? nets[i] : nets[0]);
            Connect(part, *pin, name, PinText(numbers[i]), net, did, log);
        }
    }
    return TRUE;
}

void CNetlistCircuit::Connect(CComponentRecord& part, const CPin& pin, CPinText name,
                              CPinText number, CNetRecord* net, const CString& did,
                              std::ostream& log) {
    CPinConnection* found = part.FindPin(name, number);
    if (!found) {
        part.pins.push_back({name, number, net, 0});
    } else if (pin.GetWire() && (found->flags & kPinFromImplicitList)) {
        *found = {name, number, net, 0};
    } else if (net && !found->net) {
        // A pin drawn on several sections is connected by any one of them.
        found->net = net;
    } else if (net && found->net != net) {
        log << "Error - " << (did.IsEmpty() ? part.id : did) << " Pin " << number << " shorts nets "
            << found->net->name << " and " << net->name << "\n";
    }
}

const std::vector<CNetlistCircuit::MappedPin>& CNetlistCircuit::MappedPinsOf(
    const CPinMapLine& line) {
    auto [it, added] = m_mappedPins.try_emplace(&line);
    if (added) {
        for (const CPinMapPair& pair : line.pairs)
            it->second.push_back({m_pinTexts.Get(pair.name), m_pinTexts.Get(pair.number),
                                  IsPlainName(pair.name) && IsPlainName(pair.number)});
    }
    return it->second;
}

const CNetlistCircuit::DeviceShare& CNetlistCircuit::ShareOf(CDocNetlist& walker,
                                                             const CDevice& device) {
    auto [it, added] = m_deviceShares.try_emplace(&device);
    DeviceShare& share = it->second;
    if (added) {
        share.footprint = device.GetStdAttr(kStdAttrFootprint);
        share.name = device.GetStdAttr(kStdAttrName);
        AddImplicitPins(walker, device, device.GetStdAttr(kStdAttrImplicit), share.hiddenPins);
    }
    return share;
}

void CNetlistCircuit::AddImplicitPins(CDocNetlist& walker, const CDevice& device,
                                      const CString& groups, std::vector<CPinConnection>& pins) {
    for (const ImplicitPin& pin : ParseImplicitPins(groups.str())) {
        const CString group(pin.name.c_str());
        CString list(pin.number.c_str());
        CString named;
        CNetRecord* net = nullptr;
        if (device.Lookup(group + kNetSuffix, named)) {
            CString netName = named;
            if (CDrawDoc* doc = walker.GetDocument())
                doc->GetAttribute(named, netName);
            net = GetNet(netName);
        }
        list.Remove('(');
        list.Remove(')');
        const NameMembers numbers(list);
        const CPinText name = PinText(group);
        for (int k = 0; k < numbers.GetSize(); ++k)
            pins.push_back({name, PinText(numbers[k]), net, kPinFromImplicitList});
    }
}

void CNetlistCircuit::AddPartHiddenPins(const DeviceShare& share, CDrawObj& first,
                                        CComponentRecord& part) {
    for (const CPinConnection& pin : share.hiddenPins) {
        const CString* tied = m_ties ? m_ties->Tied(first, pin.name.str().str()) : nullptr;
        if (tied)
            part.pins.push_back({pin.name, pin.number, GetNet(*tied), pin.flags});
        else if (pin.net)
            part.pins.push_back(pin);
    }
}

BOOL CNetlistCircuit::AddSymbol(CDocNetlist& /*walker*/, CSymbol& symbol, std::ostream& log) {
    m_parts.push_back(std::make_unique<CComponentRecord>());
    CComponentRecord& part = *m_parts.back();
    part.id = Attr(symbol, kStdAttrId);
    part.footprint = Attr(symbol, kStdAttrFootprint);
    part.value = Attr(symbol, kStdAttrName);
    for (POSITION pos = symbol.GetPins().GetHeadPosition(); pos;) {
        auto* pin = static_cast<CPin*>(symbol.GetPins().GetNext(pos));
        const CString pinId = Attr(*pin, kStdAttrId);
        const CString& netName = PinNetName(*pin);
        const NameMembers names(pinId);
        const NameMembers nets(netName);
        if (!nets.IsEmpty() && nets.GetSize() != names.GetSize()) {
            LogBusMismatch(log, part.id, pinId, "net", netName);
            return FALSE;
        }
        for (int i = 0; i < names.GetSize(); ++i) {
            const CPinText name = PinText(names[i]);
            part.pins.push_back({name, name, nets.IsEmpty() ? nullptr : GetNet(nets[i]), 0});
        }
    }
    return TRUE;
}

CString MakeUniqueNetName(CNetlistCircuit& circuit, int& counter) {
    CString name;
    do {
        name.Format("N%06d", ++counter);
    } while (circuit.Nets().Find(name));
    return name;
}
