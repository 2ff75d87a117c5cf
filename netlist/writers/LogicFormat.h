#pragma once
// CLogicFormat: what the programmable-logic writers (Abel, CUPL) share. The sheet's port pins
// are the device's pins; each physical-device symbol brings declaration and equation text in
// which quoted pin names ("Q" or a range "Q[0..3]") stand for the nets on those pins. A
// statement with a range is written once per member. Net names the language does not allow
// are replaced by unique "N000001" names, counted from 1 in every build.

#include <optional>
#include <string_view>
#include <unordered_set>

#include "netlist/writers/LogicCircuit.h"
#include "netlist/writers/NetlistFormat.h"

class CLogicFormat : public CNetlistFormat {
public:
    // The options button is offered; there is nothing to set.
    BOOL HasOptions() const override { return TRUE; }
    BOOL WriteHeader(CDocNetlist& walker, std::ostream& out, std::ostream& log) override;
    int PrepareSheet(CDocNetlist& walker, CNetNode& node, std::ostream& out,
                     std::ostream& log) override;

    // 0 for a legal name, else the language's code of what is wrong with it.
    virtual int CheckName(const CString& name) const = 0;
    // The net's name, after the net was renamed when the language does not allow it.
    CString LegalNetName(CLogicCircuit& circuit, CNetRecord& net);

protected:
    virtual CLogicCircuit* NewCircuit() const = 0;
    // Whether names of that CheckName code may be written.
    virtual bool IsLegal(int code) const = 0;
    // The log line that explains the code.
    virtual const char* ReasonLine(int code) const = 0;

    // The rules both languages share: "0" and "1" are legal (0), an empty name or one longer
    // than 31 characters is not (4); nothing for other names.
    static std::optional<int> CheckCommonRules(const CString& name);
    static bool IsLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }
    static bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
    // The file name of the document being built.
    static CString DocumentTitle(const CDocNetlist& walker);

    // The top node's circuit with every sub-circuit expanded; null when there is none.
    CLogicCircuit* Flatten(CNetNode& topNode, std::ostream& log);
    // Releases the circuits and forgets the per-build marks.
    void Finish(CNetNode& topNode);
    // FALSE, after logging why, when the port pin's name may not be written.
    bool CheckPortPin(const CPinConnection& pin, std::ostream& log) const;
    // The port pin's net takes the pin's name (a net that has it already gets a new one) and is
    // marked as a pin.
    void NamePortPin(CLogicCircuit& circuit, const CPinConnection& pin);
    // Each statement of the text (ended by ";" or a line end) through WriteStatement.
    void WriteStatements(CComponentRecord& part, CLogicCircuit& circuit, const CString& text,
                         std::ostream& out, std::ostream& log);
    // The statement with its quoted pin names replaced by net names, once per member of its
    // widest range, each followed by a line end.
    void WriteStatement(CComponentRecord& part, CLogicCircuit& circuit, std::string_view text,
                        std::ostream& out, std::ostream& log);

    bool IsMarked(const CNetRecord* net) const { return m_marked.count(net) != 0; }
    void Mark(const CNetRecord* net) { m_marked.insert(net); }

private:
    void WriteReference(CComponentRecord& part, CLogicCircuit& circuit, const CString& name,
                        std::ostream& out, std::ostream& log);
    // Gives the net a new name under which the circuit lists it.
    static void Rename(CLogicCircuit& circuit, CNetRecord& net, const CString& name);

    int m_uniqueNames = 0;  // the counter of MakeUniqueNetName, per build
    std::unordered_set<const CNetRecord*> m_marked;
};
