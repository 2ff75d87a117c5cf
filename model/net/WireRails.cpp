#include "model/net/WireRails.h"

#include "model/cmd/NetPropCmd.h"
#include "model/doc/DrawDoc.h"
#include "model/net/HiddenPinTies.h"
#include "model/net/Wire.h"
#include "model/object/MenuBuilder.h"
#include "model/undo/UndoList.h"

namespace {

struct Rail {
    const char* attribute;
    const char* net;
};

constexpr Rail kRails[kRailCount] = {{"Ground1", "GND"}, {"Ground2", "AGND"}, {"Power1", "+5v"},
                                     {"Power2", "+12v"}, {"Power3", "+15v"},  {"Power4", "-15v"}};

CString AttributeOr(CDrawDoc& doc, const CString& name, const char* fallback) {
    CString value;
    return doc.GetAttribute(name, value) ? value : CString(fallback);
}

}  // namespace

const char* RailAttribute(int rail) {
    return kRails[rail].attribute;
}

int FindRail(const char* attribute) {
    for (int rail = 0; attribute && rail < kRailCount; ++rail) {
        if (CString(attribute) == kRails[rail].attribute)
            return rail;
    }
    return -1;
}

CString RailNetName(CDrawDoc& doc, int rail) {
    return AttributeOr(doc, kRails[rail].attribute, kRails[rail].net);
}

CString RailNameClash(CDrawDoc& doc, const std::vector<std::pair<CString, CString>>& values,
                      const std::vector<CString>& removed) {
    CString names[kRailCount];
    bool changed[kRailCount] = {};
    for (int rail = 0; rail < kRailCount; ++rail)
        names[rail] = RailNetName(doc, rail);
    for (const CString& name : removed) {
        if (const int rail = FindRail(name); rail >= 0) {
            names[rail] = kRails[rail].net;
            changed[rail] = true;
        }
    }
    for (const auto& [name, value] : values) {
        if (const int rail = FindRail(name); rail >= 0) {
            names[rail] = value;
            changed[rail] = true;
        }
    }
    for (int rail = 0; rail < kRailCount; ++rail) {
        for (int other = 0; changed[rail] && other < kRailCount; ++other) {
            if (other == rail || names[rail].IsEmpty() || names[rail] != names[other])
                continue;
            CString message;
            message.Format(
                "The rails %s and %s would both be named %s, which would join their "
                "nets.\nGive each rail a name of its own.",
                kRails[rail].attribute, kRails[other].attribute, names[rail].c_str());
            return message;
        }
    }
    return {};
}

CString RailSymbolName(CDrawDoc& doc, int rail) {
    return AttributeOr(doc, CString(kRails[rail].attribute) + ".Symbol", "Power Rail");
}

CWire* WireToConnect(const CObList& selection) {
    if (selection.IsEmpty())
        return nullptr;
    auto* object = static_cast<CDrawObj*>(selection.GetTail());
    if (object->GetObjType() != kObjWire)
        return nullptr;
    auto* wire = static_cast<CWire*>(object);
    return wire->GetStartObject() && wire->GetEndObject() ? nullptr : wire;
}

BOOL ConnectWireToRail(CDrawDoc& doc, const CObList& selection, int rail) {
    CWire* wire = rail >= 0 && rail < kRailCount ? WireToConnect(selection) : nullptr;
    return wire && wire->ConnectToPowerSymbol(RailSymbolName(doc, rail), RailNetName(doc, rail),
                                              kRails[rail].attribute);
}

BOOL ConnectWireImplicitly(CDrawDoc& doc, CNet& net, const CString& pins) {
    std::unique_ptr<CNetPropCmd> edit = TieNetToHiddenPins(doc, net, pins);
    return edit && doc.GetUndoList().Add(edit.release());
}

void CWire::AddContextMenu(IMenuBuilder* menu) {
    // The view's commands of these names.
    constexpr UINT kShowIdentifier = 32955, kGround1 = 32956, kGround2 = 32962, kPower1 = 32958,
                   kOtherNet = 32992, kImplicit = 32951;
    menu->AddSeparator();
    menu->AddItem(kShowIdentifier, "Show Identifier");
    menu->BeginPopup("Connect To");
    menu->AddItem(kGround1, "Ground 1");
    menu->AddItem(kGround2, "Ground 2");
    menu->AddSeparator();
    const char* powers[] = {"Power 1", "Power 2", "Power 3", "Power 4"};
    for (UINT i = 0; i < 4; ++i)
        menu->AddItem(kPower1 + i, powers[i]);
    menu->AddSeparator();
    menu->AddItem(kOtherNet, "&Other Net..");
    menu->EndPopup();
    menu->AddItem(kImplicit, "Connect Wire &Implicitly To..");
}
