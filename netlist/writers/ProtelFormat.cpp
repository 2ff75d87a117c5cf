#include "netlist/writers/ProtelFormat.h"

#include <ostream>
#include <unordered_map>
#include <vector>

#include "model/app/NameList.h"
#include "netlist/circuit/NetlistCircuit.h"
#include "netlist/walker/NetNode.h"

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
    CStringArray members;
    for (const auto& part : circuit->Parts()) {
        out << "[\n" << part->id << "\n" << part->footprint << "\n" << part->value << "\n\n\n\n]\n";
        for (const CPinConnection& pin : part->pins) {
            if (!pin.net)
                continue;
            CString number = pin.number;
            number.Remove('(');
            number.Remove(')');
            members.RemoveAll();
            ExpandNameList(members, number);
            for (int i = 0; i < members.GetSize(); ++i)
                pinsOnNet[pin.net].push_back(part->id + separator + members[i]);
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
