#pragma once
// CLogicCircuit: the circuit of one sheet as the programmable-logic writers (Abel, CUPL) see
// it. Every physical-device symbol is a part of its own that carries its equation text (as
// the footprint) and its declaration text (as the value); the sheet's port pins, one per
// member of a bussed pin, become the pins of the logic device.

#include <iosfwd>
#include <vector>

#include "netlist/circuit/NetlistCircuit.h"

class CPin;

// The attribute names one logic language reads.
struct LogicAttrNames {
    const char* equations;        // of a physical-device symbol
    const char* declaration;      // of a physical-device symbol
    const char* pinType;          // of a port pin
    const char* pinTypeFallback;  // of a port pin without pinType; null for none
};

// Flags of a port pin connection.
constexpr DWORD kPortPinOutput = 0x1;  // an output port

class CLogicCircuit : public CNetlistCircuit {
public:
    explicit CLogicCircuit(const LogicAttrNames& names)
        : CNetlistCircuit(kCircuitCheckFootprints), m_names(names) {}

    // The base build, then the port pins; FALSE after a bussed port whose net has another
    // number of members.
    BOOL BuildSymbols(CDocNetlist& walker, std::ostream& log) override;
    void Clear() override;
    BOOL AddSymbol(CDocNetlist& walker, CSymbol& symbol, std::ostream& log) override;

    // One per member of every port pin, in sheet order; the number is the pin type text.
    std::vector<CPinConnection>& PortPins() { return m_portPins; }

private:
    BOOL AddPortPins(CDocNetlist& walker, std::ostream& log);
    CString PinTypeText(CPin& pin) const;

    LogicAttrNames m_names;
    std::vector<CPinConnection> m_portPins;
};
