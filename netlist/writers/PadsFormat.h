#pragma once
// The two PADS netlists, OrCAD's writer with their own headers and bodies: a part section
// (PADS-PCB repeats its keyword before every part, PADS2000 writes it once and separates the
// fields with a tab and a comma), then one signal per net of the flattened circuit listing
// the pins on it as "<part>.<pin>".

#include "netlist/writers/OrcadFormat.h"

class CNetlistCircuit;

class CPadsPcbFormat : public COrcadFormat {
public:
    const char* GetName() const override { return "Pads PCB"; }
    BOOL WriteHeader(CDocNetlist& walker, std::ostream& out, std::ostream& log) override;
    int WriteBody(CDocNetlist& walker, CNetNode& topNode, std::ostream& out,
                  std::ostream& log) override;

protected:
    // "*NET*", a signal per net in the order of the net map, and "*END*".
    static void WriteSignals(CNetlistCircuit& circuit, std::ostream& out);
};

class CPads2000Format : public CPadsPcbFormat {
public:
    const char* GetName() const override { return "Pads 2000"; }
    BOOL WriteHeader(CDocNetlist& walker, std::ostream& out, std::ostream& log) override;
    int WriteBody(CDocNetlist& walker, CNetNode& topNode, std::ostream& out,
                  std::ostream& log) override;
};
