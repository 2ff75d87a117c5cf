#pragma once
// The CUPL source of a programmable-logic design: the header fields from the document, the
// input and output port pins with their pin numbers, the symbols' declarations and their
// logic equations.

#include "netlist/writers/LogicFormat.h"

// The circuit of a sheet with the symbols' "CUPL.Equations" and "CUPL.Declaration" texts;
// port pins take their numbers from "CUPL.PinType", else from "Abel.PinType".
class CCuplCircuit : public CLogicCircuit {
public:
    CCuplCircuit();
};

class CCuplFormat : public CLogicFormat {
public:
    const char* GetName() const override { return "CUPL"; }
    const char* GetExtension() const override { return "pld"; }
    // 0 legal; 1 a reserved keyword, or no letter at all; 2 the first character is not a
    // letter, digit or underscore; 3 a blank or a reserved character; 4 empty or longer
    // than 31.
    int CheckName(const CString& name) const override;
    int WriteBody(CDocNetlist& walker, CNetNode& topNode, std::ostream& out,
                  std::ostream& log) override;

protected:
    CLogicCircuit* NewCircuit() const override { return new CCuplCircuit; }
    bool IsLegal(int code) const override { return code == 0; }
    const char* ReasonLine(int code) const override;

private:
    // The port pins of one direction; a name CUPL does not allow ends the list.
    void WritePins(CLogicCircuit& circuit, bool outputs, std::ostream& out, std::ostream& log);
};
