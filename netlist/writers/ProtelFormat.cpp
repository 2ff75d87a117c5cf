#include "netlist/writers/ProtelFormat.h"

#include <ostream>
#include <unordered_map>
#include <vector>

#include "netlist/circuit/NetlistCircuit.h"
#include "netlist/walker/NetNode.h"
#include "netlist/writers/PinMembers.h"

int CProtelFormat::PrepareSheet(CDocNetlist& walker, CNetNode& node, std::ostream& /*out*/,
                                std::ostream& log) {
    return PrepareCircuitSheet(walker, node, log, kCircuitCheckFootprints);
}

int CProtelFormat::WriteBody(CDocNetlist& /*walker*/, CNetNode& topNode, std::ostream& out,
                             std::ostream& log) {
    return WriteNetlist(topNode, out, log, '-');
}

int CTangoFormat::WriteBody(CDocNetlist& /*walker*/, CNetNode& topNode, std::ostream& out,
                            std::ostream& log) {
    return WriteNetlist(topNode, out, log, ',');
}

int CProtelFormat::WriteNetlist(CNetNode& topNode, std::ostream& out, std::ostream& log,
                                char separator) {
    CNetlistCircuit* circuit = topNode.circuit;
    if (!circuit)
        return out.good() ? 1 : 0;
    circuit->Flatten(topNode, log);
    std::unordered_map<const CNetRecord*, std::vector<CString>> pinsOnNet;
    for (const auto& part : circuit->Parts()) {
        out << "[\n" << part->id << "\n" << part->footprint << "\n" << part->value << "\n\n\n\n]\n";
        for (const CPinConnection& pin : part->pins) {
            if (!pin.net)
                continue;
            for (const CString& member : PinMembers(pin.number))
                pinsOnNet[pin.net].push_back(part->id + separator + member);
        }
    }
    for (const auto& entry : circuit->Nets().InOrder()) {
        out << "(\n" << entry.key << "\n";
        for (const CString& pin : pinsOnNet[entry.value])
            out << pin << "\n";
        out << ")\n";
    }
    ReleaseCircuits(topNode);
    return out.good() ? 1 : 0;
}
