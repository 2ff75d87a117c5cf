#include "netlist/writers/OrcadFormat.h"

#include <cstdio>
#include <ostream>

#include "netlist/circuit/NetlistCircuit.h"
#include "netlist/walker/NetNode.h"
#include "netlist/writers/PinMembers.h"

namespace {

bool HasBlank(const CString& text) {
    return text.FindOneOf(" \t") >= 0;
}

// The part's position in the file as the format's eight-digit time stamp.
CString TimeStamp(unsigned counter) {
    char text[16];
    std::snprintf(text, sizeof text, "%.8u", counter);
    return text;
}

}  // namespace

void COrcadFormat::WarnAboutBlanks(const CComponentRecord& part, std::ostream& log) {
    if (HasBlank(part.footprint))
        log << "Warning - " << part.id << " footprint \"" << part.footprint
            << "\" contains blanks.\n";
    if (HasBlank(part.value))
        log << "Warning - " << part.id << " value \"" << part.value << "\" contains blanks.\n";
}

BOOL COrcadFormat::WriteHeader(CDocNetlist& /*walker*/, std::ostream& out, std::ostream& /*log*/) {
    out << "( {OrCAD PCB II Netlist Format}\n";
    return out.good() ? TRUE : FALSE;
}

int COrcadFormat::PrepareSheet(CDocNetlist& walker, CNetNode& node, std::ostream& /*out*/,
                               std::ostream& log) {
    return PrepareCircuitSheet(walker, node, log, kCircuitCheckFootprints);
}

int COrcadFormat::WriteBody(CDocNetlist& /*walker*/, CNetNode& topNode, std::ostream& out,
                            std::ostream& log) {
    if (CNetlistCircuit* circuit = topNode.circuit) {
        circuit->Flatten(topNode, log);
        unsigned counter = 0;
        for (const auto& part : circuit->Parts()) {
            WarnAboutBlanks(*part, log);
            out << " ( " << TimeStamp(++counter) << " " << part->footprint << " " << part->id << " "
                << part->value << "\n";
            for (const CPinConnection& pin : part->pins) {
                if (!pin.net)
                    continue;
                ForEachPinMember(pin.number, [&](const CString& member) {
                    out << "  ( " << member << " " << pin.net->name << " )\n";
                });
            }
            out << " )\n";
        }
        ReleaseCircuits(topNode);
    }
    out << ")\n";
    return out.good() ? 1 : 0;
}
