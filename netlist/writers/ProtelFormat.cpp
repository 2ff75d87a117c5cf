#include "netlist/writers/ProtelFormat.h"

#include <ostream>

#include "netlist/circuit/NetPinTable.h"
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
    for (const auto& part : circuit->Parts())
        out << "[\n" << part->id << "\n" << part->footprint << "\n" << part->value << "\n\n\n\n]\n";
    const CNetPinTable nets(*circuit);
    for (size_t i = 0; i < nets.GetCount(); ++i) {
        out << "(\n" << nets.GetName(i) << "\n";
        for (const CNetPinTable::PinOnNet& on : nets.GetPins(i)) {
            ForEachPinMember(on.pin->number, [&](const CString& member) {
                out << on.part->id << separator << member << "\n";
            });
        }
        out << ")\n";
    }
    ReleaseCircuits(topNode);
    return out.good() ? 1 : 0;
}
