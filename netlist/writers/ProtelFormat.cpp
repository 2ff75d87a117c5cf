#include "netlist/writers/ProtelFormat.h"

#include <ostream>
#include <string>

#include "netlist/circuit/NetPinTable.h"
#include "netlist/circuit/NetlistCircuit.h"
#include "netlist/walker/NetNode.h"
#include "netlist/writers/PinMembers.h"

namespace {

// The text goes out in pieces of about this size: few writes, and little of it held at once.
constexpr size_t kPieceBytes = 64 * 1024;

// Gathers lines and writes them to out a piece at a time.
class PieceWriter {
public:
    explicit PieceWriter(std::ostream& out) : m_out(out) { m_text.reserve(2 * kPieceBytes); }

    std::string& Text() { return m_text; }
    void Line(const char* a, const char* b = "") { m_text.append(a).append(b).push_back('\n'); }
    // Writes the piece once it is large enough.
    void Next() {
        if (m_text.size() >= kPieceBytes)
            Flush();
    }
    void Flush() {
        m_out.write(m_text.data(), static_cast<std::streamsize>(m_text.size()));
        m_text.clear();
    }

private:
    std::ostream& m_out;
    std::string m_text;
};

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
    // A name is written up to its first null byte, as a stream writes it.
    PieceWriter text(out);
    for (const auto& part : circuit->Parts()) {
        text.Line("[\n", part->id.c_str());
        text.Line(part->footprint.c_str());
        text.Line(part->value.c_str(), "\n\n\n\n]");
        text.Next();
    }
    const CNetPinTable nets(*circuit);
    for (size_t i = 0; i < nets.GetCount(); ++i) {
        nets.FetchAhead(i);
        text.Line("(\n", nets.GetName(i).c_str());
        for (const CNetPinTable::PinOnNet& on : nets.GetPins(i)) {
            ForEachPinMember(on.pin->number, [&](const CString& member) {
                text.Text().append(on.part->id.c_str()).push_back(separator);
                text.Line(member.c_str());
            });
            text.Next();
        }
        text.Line(")");
    }
    text.Flush();
    ReleaseCircuits(topNode);
    return out.good() ? 1 : 0;
}
