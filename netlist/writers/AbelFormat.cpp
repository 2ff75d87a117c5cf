#include "netlist/writers/AbelFormat.h"

#include <ostream>
#include <vector>

#include "netlist/walker/NetNode.h"

namespace {

constexpr LogicAttrNames kAbelNames{"Abel.Equations", "Abel.Declaration", "Abel.PinType", nullptr};

}  // namespace

CAbelCircuit::CAbelCircuit() : CLogicCircuit(kAbelNames) {}

int CAbelFormat::CheckName(const CString& name) const {
    if (const std::optional<int> code = CheckCommonRules(name))
        return *code;
    const char first = name[0];
    if (!IsLetter(first) && first != '_' && first != '~')
        return 3;
    for (int i = 1; i < name.GetLength(); ++i) {
        if (!IsLetter(name[i]) && !IsDigit(name[i]) && name[i] != '_')
            return 2;
    }
    return first == '~' ? 1 : 0;
}

const char* CAbelFormat::ReasonLine(int code) const {
    switch (code) {
        case 2:
            return "\t(May contain only letters, digits or underscores).\n";
        case 3:
            return "\t(Must begin with alphabetic character or underscore).\n";
        case 4:
            return "\t(More than 31 characters).\n";
        default:
            return "";
    }
}

int CAbelFormat::WriteBody(CDocNetlist& walker, CNetNode& topNode, std::ostream& out,
                           std::ostream& log) {
    CLogicCircuit* circuit = Flatten(topNode, log);
    if (!circuit)
        return out.good() ? 1 : 0;
    CString module = DocumentTitle(walker);
    module.Replace('.', '_');
    out << "module " << module << "\n"
        << "\ndeclarations\n";
    const bool complete = WritePins(*circuit, out, log);
    if (complete) {
        WriteNodes(*circuit, out);
        for (const auto& part : circuit->Parts())
            WriteStatements(*part, *circuit, part->value, out, log);
        out << "\nequations\n";
        for (const auto& part : circuit->Parts())
            WriteStatements(*part, *circuit, part->footprint, out, log);
        out << "\nend " << module << "\n";
    }
    Finish(topNode);
    return complete && out.good() ? 1 : 0;
}

bool CAbelFormat::WritePins(CLogicCircuit& circuit, std::ostream& out, std::ostream& log) {
    for (const CPinConnection& pin : circuit.PortPins()) {
        if (!CheckPortPin(pin, log))
            return false;
        out << pin.name << " pin";
        if (!pin.number.IsEmpty())
            out << " istype " << pin.number;
        out << ";\n";
        NamePortPin(circuit, pin);
    }
    return true;
}

// Nets are declared under the names the equations use.
void CAbelFormat::WriteNodes(CLogicCircuit& circuit, std::ostream& out) {
    std::vector<CNetRecord*> nets;
    for (const auto& entry : circuit.Nets().InOrder())
        nets.push_back(entry.value);
    for (CNetRecord* net : nets) {
        if (IsMarked(net) || net->name == "0" || net->name == "1")
            continue;
        out << LegalNetName(circuit, *net) << " node;\n";
        Mark(net);
    }
}
