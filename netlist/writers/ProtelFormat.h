#pragma once
// The Protel netlist, and the Tango netlist that differs from it only in how a pin is named:
// a block per part (identifier, footprint, value), then a block per net listing the pins on
// it, nets in the order of the flattened circuit's net map.

#include "netlist/writers/NetlistFormat.h"

class CProtelFormat : public CNetlistFormat {
public:
    const char* GetName() const override { return "Protel"; }
    const char* GetExtension() const override { return "net"; }
    int PrepareSheet(CDocNetlist& walker, CNetNode& node, std::ostream& out,
                     std::ostream& log) override;
    int WriteBody(CDocNetlist& walker, CNetNode& topNode, std::ostream& out,
                  std::ostream& log) override;

protected:
    // Writes the netlist naming each pin "<part><separator><pin>".
    int WriteNetlist(CNetNode& topNode, std::ostream& out, std::ostream& log, char separator);
};

class CTangoFormat : public CProtelFormat {
public:
    const char* GetName() const override { return "Tango"; }
    int WriteBody(CDocNetlist& walker, CNetNode& topNode, std::ostream& out,
                  std::ostream& log) override;
};
