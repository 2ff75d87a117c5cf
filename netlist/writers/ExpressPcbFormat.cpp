#include "netlist/writers/ExpressPcbFormat.h"

#include <algorithm>
#include <charconv>
#include <ostream>

#include "netlist/circuit/NetPinTable.h"
#include "netlist/circuit/NetlistCircuit.h"
#include "netlist/walker/NetNode.h"
#include "netlist/writers/PinMembers.h"
#include "platform/AppIdentity.h"

namespace {

// A text between quotes; a quote inside it, which would end the field early, becomes an
// apostrophe.
CString Quoted(const CString& text) {
    CString field = text;
    field.Replace('"', '\'');
    return "\"" + field + "\"";
}

// The pin number as an integer, like "%d" with a sign allowed before the digits, but only
// when the whole member is that number: pins "1A" and "1B" must not both become pin 1.
// False, number unchanged, for anything else, including a number that does not fit an int.
bool ReadPinNumber(const CString& member, int& number) {
    const char* first = member.c_str();
    const char* last = first + member.GetLength();
    if (first != last && *first == '+' && last - first > 1 && first[1] != '-')
        ++first;  // from_chars takes only a minus sign
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last)
        return false;
    number = value;
    return true;
}

}  // namespace

BOOL CExpressPcbFormat::WriteHeader(CDocNetlist& /*walker*/, std::ostream& out,
                                    std::ostream& /*log*/) {
    out << "\"ExpressPCB Netlist\"\n\"Vosk Schematic Version " << kProductVersion << "\"\n"
        << "1\n0\n0\n\"\"\n\"\"\n\"\"\n";
    return out.good() ? TRUE : FALSE;
}

int CExpressPcbFormat::PrepareSheet(CDocNetlist& walker, CNetNode& node, std::ostream& /*out*/,
                                    std::ostream& log) {
    return PrepareCircuitSheet(walker, node, log, 0);
}

int CExpressPcbFormat::WriteBody(CDocNetlist& /*walker*/, CNetNode& topNode, std::ostream& out,
                                 std::ostream& log) {
    CNetlistCircuit* circuit = topNode.circuit;
    if (!circuit)
        return out.good() ? 1 : 0;
    circuit->Flatten(topNode, log);
    WritePartTable(*circuit, out);
    const CNetPinTable nets(*circuit);
    const std::vector<Connection> rows = Connections(*circuit, nets, log);
    WriteNetTable(nets, rows, out);
    WriteConnectionTable(rows, out);
    ReleaseCircuits(topNode);
    return out.good() ? 1 : 0;
}

void CExpressPcbFormat::WritePartTable(CNetlistCircuit& circuit, std::ostream& out) {
    out << "\n\"Part IDs Table\"\n";
    for (const auto& part : circuit.Parts())
        out << Quoted(part->id) << " " << Quoted(part->value) << " \" \"\n";
}

std::vector<CExpressPcbFormat::Connection> CExpressPcbFormat::Connections(CNetlistCircuit& circuit,
                                                                          const CNetPinTable& nets,
                                                                          std::ostream& log) {
    std::vector<Connection> rows;
    int partNumber = 0;
    for (const auto& part : circuit.Parts()) {
        ++partNumber;
        for (const CPinConnection& pin : part->pins) {
            if (!pin.net)
                continue;
            ForEachPinMember(pin.number, [&](const CString& member) {
                int pinNumber = 0;
                if (!ReadPinNumber(member, pinNumber))
                    log << "Error - Component " << part->id << " : Pin number " << member
                        << " not an integer.\n";
                rows.push_back(Connection{nets.GetNumber(pin.net), partNumber, pinNumber});
            });
        }
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Connection& a, const Connection& b) {
        return a.netNumber < b.netNumber;
    });
    return rows;
}

void CExpressPcbFormat::WriteNetTable(const CNetPinTable& nets, const std::vector<Connection>& rows,
                                      std::ostream& out) {
    out << "\n\"Net Names Table\"\n";
    auto row = rows.begin();
    for (size_t i = 0; i < nets.GetCount(); ++i) {
        const int netNumber = static_cast<int>(i) + 1;
        while (row != rows.end() && row->netNumber < netNumber)
            ++row;
        const bool hasRows = row != rows.end() && row->netNumber == netNumber;
        out << Quoted(nets.GetName(i)) << " " << (hasRows ? row - rows.begin() + 1 : 0) << "\n";
    }
}

void CExpressPcbFormat::WriteConnectionTable(const std::vector<Connection>& rows,
                                             std::ostream& out) {
    out << "\n\"Net Connections Table\"\n";
    for (size_t i = 0; i < rows.size(); ++i) {
        const bool linked = i + 1 < rows.size() && rows[i + 1].netNumber == rows[i].netNumber;
        out << rows[i].netNumber << " " << rows[i].partNumber << " " << rows[i].pinNumber << " "
            << (linked ? i + 2 : 0) << "\n";
    }
}
