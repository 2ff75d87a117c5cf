#include "model/net/WireRails.h"

#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"

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

CString RailNetName(CDrawDoc& doc, int rail) {
    return AttributeOr(doc, kRails[rail].attribute, kRails[rail].net);
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
    return wire && wire->ConnectToPowerSymbol(RailSymbolName(doc, rail), RailNetName(doc, rail));
}
