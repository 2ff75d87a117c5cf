#pragma once
// The Abel source of a programmable-logic design: a module named after the document with the
// port pins as pins, the other nets as nodes, the symbols' declarations, and their equations.

#include "netlist/writers/LogicFormat.h"

// The circuit of a sheet with the symbols' "Abel.Equations" and "Abel.Declaration" texts.
class CAbelCircuit : public CLogicCircuit {
public:
    CAbelCircuit();
};

class CAbelFormat : public CLogicFormat {
public:
    const char* GetName() const override { return "Abel"; }
    const char* GetExtension() const override { return "abl"; }
    // 0 legal; 1 legal, begins with "~"; 2 a later character is not a letter, digit or
    // underscore; 3 the first is not a letter, underscore or "~"; 4 empty or longer than 31.
    int CheckName(const CString& name) const override;
    // Stops, with the module unfinished, at the first port pin whose name Abel does not allow;
    // 0 then.
    int WriteBody(CDocNetlist& walker, CNetNode& topNode, std::ostream& out,
                  std::ostream& log) override;

protected:
    CLogicCircuit* NewCircuit() const override { return new CAbelCircuit; }
    bool IsLegal(int code) const override { return code < 2; }
    const char* ReasonLine(int code) const override;

private:
    bool WritePins(CLogicCircuit& circuit, std::ostream& out, std::ostream& log);
    void WriteNodes(CLogicCircuit& circuit, std::ostream& out);
};
