#include "netlist/writers/ProtelFormat.h"

#include <ostream>
#include <string>

#include "netlist/circuit/NetPinTable.h"
#include "netlist/circuit/NetlistCircuit.h"
#include "netlist/walker/NetNode.h"
#include "netlist/writers/PinMembers.h"

namespace {

// What a part, a net and a pin line usually take, to size the text once.
constexpr size_t kBytesPerPart = 40;
constexpr size_t kBytesPerNet = 16;
constexpr size_t kBytesPerPin = 12;

}  // namespace

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
    // The whole text is put together in one buffer and written at once. A name is written up
    // to its first null byte, as a stream writes it.
    std::string text;
    text.reserve(kBytesPerPart * circuit->Parts().size());
    auto line = [&text](const char* a, const char* b = "") {
        text.append(a).append(b).push_back('\n');
    };
    for (const auto& part : circuit->Parts()) {
        line("[\n", part->id.c_str());
        line(part->footprint.c_str());
        line(part->value.c_str(), "\n\n\n\n]");
    }
    const CNetPinTable nets(*circuit);
    text.reserve(text.size() + kBytesPerNet * nets.GetCount() + kBytesPerPin * nets.GetPinCount());
    for (size_t i = 0; i < nets.GetCount(); ++i) {
        nets.FetchAhead(i);
        line("(\n", nets.GetName(i).c_str());
        for (const CNetPinTable::PinOnNet& on : nets.GetPins(i)) {
            ForEachPinMember(on.pin->number, [&](const CString& member) {
                text.append(on.part->id.c_str()).push_back(separator);
                line(member.c_str());
            });
        }
        line(")");
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    ReleaseCircuits(topNode);
    return out.good() ? 1 : 0;
}
