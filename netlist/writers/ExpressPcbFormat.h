#pragma once
// The ExpressPCB netlist: a table of parts and a table of net names, then the connections,
// each a row of net, part and pin numbers (parts and nets by their 1-based rows) linked to
// the next row of the same net; a net names the first row of its chain.

#include <vector>

#include "netlist/writers/NetlistFormat.h"

class CNetlistCircuit;
class CNetPinTable;

class CExpressPcbFormat : public CNetlistFormat {
public:
    const char* GetName() const override { return "ExpressPCB"; }
    const char* GetExtension() const override { return "net"; }
    BOOL WriteHeader(CDocNetlist& walker, std::ostream& out, std::ostream& log) override;
    int PrepareSheet(CDocNetlist& walker, CNetNode& node, std::ostream& out,
                     std::ostream& log) override;
    int WriteBody(CDocNetlist& walker, CNetNode& topNode, std::ostream& out,
                  std::ostream& log) override;

private:
    struct Connection {
        int netNumber;
        int partNumber;
        int pinNumber;
    };

    static void WritePartTable(CNetlistCircuit& circuit, std::ostream& out);
    // One row per pin member of every connected pin, sorted by net; the rows of one net keep
    // the order of the parts and their pins.
    static std::vector<Connection> Connections(CNetlistCircuit& circuit, const CNetPinTable& nets,
                                               std::ostream& log);
    static void WriteNetTable(const CNetPinTable& nets, const std::vector<Connection>& rows,
                              std::ostream& out);
    static void WriteConnectionTable(const std::vector<Connection>& rows, std::ostream& out);
};
