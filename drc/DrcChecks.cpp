// The checks of the rule set: nets, symbols and the shared pins of devices.

#include <string_view>
#include <vector>

#include "drc/DrcFinding.h"
#include "drc/DrcNetPins.h"
#include "drc/DrcRules.h"
#include "model/device/Device.h"
#include "model/device/ImplicitPins.h"
#include "model/doc/DrawDoc.h"
#include "model/net/HiddenPinTies.h"
#include "model/net/Net.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "netlist/walker/DocNetlist.h"

namespace {

CNet* NetOfPin(const CPin* pin) {
    return pin && pin->GetWire() ? pin->GetWire()->GetNet() : nullptr;
}

}  // namespace

void CDrcRules::Report(int kind, int level, CObject* first, CObject* second, int position,
                       const CString& pinName, const CString& detail) {
    if (m_sink)
        m_sink->Report(DrcFinding{kind, level, first, second, position, pinName, detail});
}

bool CDrcRules::SinkFull() const {
    return !m_sink || m_sink->Full();
}

void CDrcRules::CheckNet(CNet& net, const DrcCheckContext& context) {
    std::vector<CPin*> pins;
    int count = 0;
    if (const CDrcNetPins::Net* found = context.nets.Find(net.GetName())) {
        count = found->undrawn;
        for (DrcPinPlace place : found->pins) {
            if (CPin* pin = CDrcNetPins::Resolve(context.objects, place)) {
                pins.push_back(pin);
                ++count;
            }
        }
    }
    if (count == 0) {
        if (m_checkFlags & kDrcCheckEmptyNet)
            Report(kDrcEmptyNet, kDrcWarning, &net);
        return;
    }
    if (count == 1) {
        if (m_checkFlags & kDrcCheckOnePinNet)
            Report(kDrcOnePinNet, kDrcWarning, &net);
        return;
    }
    if (!(m_checkFlags & kDrcCheckPinConnection))
        return;
    std::vector<int> types;
    for (const CPin* pin : pins)
        types.push_back(GetTypeIndex(*pin));
    // Every pair of pins, until the sink is full: a large net of conflicting pins would
    // otherwise report a number of findings that grows with the square of its pins.
    for (size_t p = 0; p < pins.size(); ++p) {
        for (size_t q = p + 1; q < pins.size(); ++q) {
            const int level = GetLevel(types[p], types[q]);
            if (level <= kDrcNoError)
                continue;
            Report(kDrcPinConnection, level, pins[p], pins[q]);
            if (SinkFull())
                return;
        }
    }
}

void CDrcRules::CheckSymbol(CSymbol& symbol, const DrcCheckContext& /*context*/) {
    bool oneNet = true;
    bool seen = false;
    const CNet* first = nullptr;
    int count = 0;
    for (POSITION pos = symbol.GetPins().GetHeadPosition(); pos; ++count) {
        auto* pin = static_cast<CPin*>(symbol.GetPins().GetNext(pos));
        if (pin->GetWire()) {
            const CNet* net = NetOfPin(pin);
            if (!seen)
                first = net;
            else if (net != first)
                oneNet = false;
            seen = true;
            continue;
        }
        oneNet = false;
        const int level = GetLevel(GetTypeIndex(*pin), kDrcTypeNotConnected);
        if (level > kDrcNoError && (m_checkFlags & kDrcCheckUnconnectedPin))
            Report(kDrcUnconnectedPin, level, pin);
    }
    if (oneNet && count >= 2 && (m_checkFlags & kDrcCheckShortedSymbol))
        Report(kDrcShortedSymbol, kDrcWarning, &symbol);
}

void CDrcRules::CheckDevice(CDevice& device, const DrcCheckContext& context) {
    // Only a device with shared pins has anything to check; its parts need not be walked.
    if (device.GetStdAttr(kStdAttrImplicit).IsEmpty())
        return;
    CDocNetlist& walker = context.document.m_netlist;
    for (POSITION pos = walker.GetFirstPart(&device); pos;) {
        CObList sections;
        walker.GetNextPart(pos, &sections, &device);
        CheckSharedPins(sections, context);
    }
}

void CDrcRules::CheckSharedPins(const CObList& sections, const DrcCheckContext& context) {
    if (sections.IsEmpty())
        return;
    CDevice* device = static_cast<CDrawObj*>(sections.GetHead())->GetDevice();
    CString implicit;
    if (!device || !device->Lookup(GetStdAttrName(kStdAttrImplicit), implicit) ||
        implicit.IsEmpty())
        return;
    // Every item of the list is looked at as a pin name; a pin number has no net. A pin that
    // a net ties to itself lies on that net.
    auto& first = *static_cast<CDrawObj*>(sections.GetHead());
    for (const ImplicitToken& token : SplitImplicitList(implicit.str())) {
        const CString name(token.text);
        if (context.ties.Tied(first, token.text))
            continue;
        CString value;
        if (!device->Lookup(name + ".Net", value))
            continue;
        CString netName;
        if (!context.document.GetAttribute(value, netName))
            netName = value;
        bool onNet = context.nets.HasNet(netName);
        for (POSITION pos = sections.GetHeadPosition(); pos && !onNet;) {
            auto* section = static_cast<CDrawObj*>(sections.GetNext(pos));
            if (section->GetObjType() == kObjSymbol)
                onNet = NetOfPin(static_cast<CSymbol*>(section)->FindPin(name)) != nullptr;
        }
        if (onNet)
            continue;
        CString typeName;
        if (!device->Lookup(name + "._Type", typeName) || typeName.IsEmpty())
            typeName = "Power";
        // A type the rule set does not know counts as "Undefined".
        int type = FindType(typeName);
        if (type < 0)
            type = kDrcTypeUndefined;
        const int level = GetLevel(type, kDrcTypeNotConnected);
        if (level > kDrcNoError && (m_checkFlags & kDrcCheckSharedPin))
            Report(kDrcSharedPin, level, device, nullptr, static_cast<int>(token.position), name);
    }
}

void CDrcRules::CheckHiddenPinTies(CNet& net, const DrcCheckContext& context) {
    const std::vector<UnnamedHiddenPinTie>& unnamed = context.ties.Unnamed();
    for (size_t i = 0; i < unnamed.size() && !SinkFull(); ++i) {
        if (unnamed[i].net == net.GetName())
            Report(kDrcUnnamedTie, kDrcWarning, &net, nullptr, static_cast<int>(i), CString(),
                   CHiddenPinTies::DescribeUnnamed(unnamed[i]));
    }
}

void CDrcRules::CheckRailShorts(CSymbol& block, const std::vector<CString>& shorts) {
    for (size_t i = 0; i < shorts.size() && !SinkFull(); ++i)
        Report(kDrcShortedRails, kDrcError, &block, nullptr, static_cast<int>(i), CString(),
               shorts[i]);
}

void CDrcRules::CheckRenamedRails(CSymbol& block, const std::vector<CString>& renamed) {
    for (size_t i = 0; i < renamed.size() && !SinkFull(); ++i)
        Report(kDrcRenamedRail, kDrcWarning, &block, nullptr, static_cast<int>(i), CString(),
               renamed[i]);
}
