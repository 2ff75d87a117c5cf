#include "netlist/writers/LogicCircuit.h"

#include <ostream>

#include "model/app/NameList.h"
#include "model/net/Net.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "netlist/walker/DocNetlist.h"

namespace {

// The effective type of a port pin that drives the sheet's outside.
constexpr int kOutputPortType = kPinTypeFirstPort + 1;

CString NetNameOf(const CPin& pin) {
    const CDrawObj* wire = pin.GetWire();
    const CNet* net = wire ? wire->GetNet() : nullptr;
    return net ? net->GetName() : CString();
}

}  // namespace

BOOL CLogicCircuit::BuildSymbols(CDocNetlist& walker, std::ostream& log) {
    return CNetlistCircuit::BuildSymbols(walker, log) && AddPortPins(walker, log);
}

void CLogicCircuit::Clear() {
    m_portPins.clear();
    CNetlistCircuit::Clear();
}

BOOL CLogicCircuit::AddSymbol(CDocNetlist& walker, CSymbol& symbol, std::ostream& log) {
    const BOOL done = CNetlistCircuit::AddSymbol(walker, symbol, log);
    CComponentRecord& part = *Parts().back();
    part.footprint = symbol.GetAttr(m_names.equations);
    part.value = symbol.GetAttr(m_names.declaration);
    return done;
}

BOOL CLogicCircuit::AddPortPins(CDocNetlist& walker, std::ostream& log) {
    CStringArray names;
    CStringArray nets;
    for (POSITION pos = walker.GetFirstSymbolOfKind(kKindMaskPort); pos;) {
        auto* port = static_cast<CSymbol*>(walker.GetNextSymbolOfKind(pos, kKindMaskPort));
        for (POSITION pinPos = port->GetPins().GetHeadPosition(); pinPos;) {
            auto* pin = static_cast<CPin*>(port->GetPins().GetNext(pinPos));
            const CString id = pin->GetStdAttr(kStdAttrId);
            const CString netName = NetNameOf(*pin);
            names.RemoveAll();
            nets.RemoveAll();
            ExpandNameList(names, id);
            if (pin->GetWire() && pin->GetWire()->GetNet())
                ExpandNameList(nets, netName);
            if (!nets.IsEmpty() && nets.GetSize() != names.GetSize()) {
                log << "Error bussed port - " << id << " mismatch with net " << netName << ".\n";
                return FALSE;
            }
            const CString type = PinTypeText(*pin);
            const DWORD flags = pin->GetPinType() == kOutputPortType ? kPortPinOutput : 0;
            for (int i = 0; i < names.GetSize(); ++i)
                m_portPins.push_back({PinText(names[i]), PinText(type),
                                      nets.IsEmpty() ? nullptr : GetNet(nets[i]), flags});
        }
    }
    return TRUE;
}

CString CLogicCircuit::PinTypeText(CPin& pin) const {
    CString type = pin.GetAttr(m_names.pinType);
    if (type.IsEmpty() && m_names.pinTypeFallback)
        type = pin.GetAttr(m_names.pinTypeFallback);
    return type;
}
