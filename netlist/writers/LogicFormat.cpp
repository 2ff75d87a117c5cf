#include "netlist/writers/LogicFormat.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>

#include "model/app/NameList.h"
#include "model/doc/DrawDoc.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"

namespace {

constexpr int kMaxNameLength = 31;
constexpr std::string_view kBlanks = " \t\r\n";

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The bounds of "[a..b]" (blanks allowed) at the start of the text; last is empty for "[a]".
struct BitRange {
    long long first = 0;
    std::optional<long long> last;

    // Member r of the range, counted from the first bound towards the last.
    long long Member(int r) const {
        if (!last)
            return first;
        return *last < first ? first - r : first + r;
    }
    // No bus has more members than a name list expands to.
    int Count() const {
        const long long count = last ? (*last < first ? first - *last : *last - first) + 1 : 1;
        return static_cast<int>(std::min<long long>(count, kMaxListedNames));
    }
};

std::string_view SkipBlanks(std::string_view text) {
    return text.substr(std::min(text.find_first_not_of(" \t"), text.size()));
}

// Reads a number (bounds beyond nine digits are not taken) and moves past it.
std::optional<long long> ReadBound(std::string_view& text) {
    text = SkipBlanks(text);
    long long value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + std::min<size_t>(text.size(), 10), value);
    if (error != std::errc() || std::abs(value) > 999999999)
        return std::nullopt;
    text.remove_prefix(static_cast<size_t>(end - text.data()));
    return value;
}

std::optional<BitRange> ReadRange(std::string_view text) {
    if (text.empty() || text.front() != '[')
        return std::nullopt;
    text.remove_prefix(1);
    const std::optional<long long> first = ReadBound(text);
    if (!first)
        return std::nullopt;
    BitRange range{*first, std::nullopt};
    text = SkipBlanks(text);
    if (text.starts_with(".."))
        text.remove_prefix(2);
    else
        return range;
    range.last = ReadBound(text);
    if (!range.last)
        return std::nullopt;
    return range;
}

// Calls visit(reference) for the text between each pair of double quotes.
template <class Visit>
void ForEachReference(std::string_view text, Visit visit) {
    for (size_t open = text.find('"'); open != std::string_view::npos;) {
        const size_t close = text.find('"', open + 1);
        if (close == std::string_view::npos)
            return;
        visit(text.substr(open + 1, close - open - 1));
        open = text.find('"', close + 1);
    }
}

int RepeatCount(std::string_view text) {
    int count = 1;
    ForEachReference(text, [&count](std::string_view reference) {
        const size_t bracket = reference.find('[');
        if (bracket == std::string_view::npos)
            return;
        if (const auto range = ReadRange(reference.substr(bracket)))
            count = std::max(count, range->Count());
    });
    return count;
}

// The pin name a reference stands for in repetition r: a range becomes its member r.
CString PinName(std::string_view reference, int r) {
    const size_t bracket = reference.find('[');
    const auto range =
        bracket == std::string_view::npos ? std::nullopt : ReadRange(reference.substr(bracket));
    if (!range)
        return CString(Trimmed(reference));
    std::string name(reference.substr(0, bracket));
    name += std::to_string(range->Member(r));
    const size_t close = reference.find(']', bracket);
    if (close != std::string_view::npos)
        name += reference.substr(close + 1);
    return CString(Trimmed(name));
}

}  // namespace

BOOL CLogicFormat::WriteHeader(CDocNetlist& /*walker*/, std::ostream& out, std::ostream& /*log*/) {
    m_uniqueNames = 0;
    m_marked.clear();
    return out.good() ? TRUE : FALSE;
}

int CLogicFormat::PrepareSheet(CDocNetlist& walker, CNetNode& node, std::ostream& /*out*/,
                               std::ostream& log) {
    if (CNetNode* shared = FindCircuitNode(walker.GetPathName(), *node.GetRoot())) {
        node.circuit = shared->circuit;
        node.circuit->AddRef();
        return 1;
    }
    CLogicCircuit* circuit = NewCircuit();
    node.circuit = circuit;
    circuit->AddRef();
    return circuit->BuildSymbols(walker, log);
}

CString CLogicFormat::LegalNetName(CLogicCircuit& circuit, CNetRecord& net) {
    if (!IsLegal(CheckName(net.name)))
        Rename(circuit, net, MakeUniqueNetName(circuit, m_uniqueNames));
    return net.name;
}

std::optional<int> CLogicFormat::CheckCommonRules(const CString& name) {
    if (name == "0" || name == "1")
        return 0;
    if (name.IsEmpty() || name.GetLength() > kMaxNameLength)
        return 4;
    return std::nullopt;
}

CString CLogicFormat::DocumentTitle(const CDocNetlist& walker) {
    const CDrawDoc* doc = walker.GetDocument();
    return doc ? doc->GetTitle() : CString();
}

CLogicCircuit* CLogicFormat::Flatten(CNetNode& topNode, std::ostream& log) {
    auto* circuit = dynamic_cast<CLogicCircuit*>(topNode.circuit);
    if (circuit)
        circuit->Flatten(topNode, log);
    return circuit;
}

void CLogicFormat::Finish(CNetNode& topNode) {
    ReleaseCircuits(topNode);
    m_marked.clear();
}

bool CLogicFormat::CheckPortPin(const CPinConnection& pin, std::ostream& log) const {
    const int code = CheckName(pin.name);
    if (IsLegal(code))
        return true;
    log << "Error : Port Pin " << pin.name << " - not a legal name for " << GetName()
        << " format.\n"
        << ReasonLine(code);
    return false;
}

void CLogicFormat::NamePortPin(CLogicCircuit& circuit, const CPinConnection& pin) {
    if (!pin.net)
        return;
    if (CNetRecord** other = circuit.Nets().Find(pin.name); other && *other != pin.net)
        Rename(circuit, **other, MakeUniqueNetName(circuit, m_uniqueNames));
    if (pin.net->name != pin.name)
        Rename(circuit, *pin.net, pin.name);
    Mark(pin.net);
}

void CLogicFormat::WriteStatements(CComponentRecord& part, CLogicCircuit& circuit,
                                   const CString& text, std::ostream& out, std::ostream& log) {
    const std::string_view all(text.str());
    size_t start = 0;
    auto write = [&](size_t end) {
        if (const std::string_view statement = Trimmed(all.substr(start, end - start));
            !statement.empty())
            WriteStatement(part, circuit, statement, out, log);
        start = end;
    };
    for (size_t at = all.find_first_of(";\n"); at != std::string_view::npos;
         at = all.find_first_of(";\n", at + 1))
        write(at + 1);
    write(all.size());
}

void CLogicFormat::WriteStatement(CComponentRecord& part, CLogicCircuit& circuit,
                                  std::string_view text, std::ostream& out, std::ostream& log) {
    const int count = RepeatCount(text);
    for (int r = 0; r < count; ++r) {
        size_t at = 0;
        for (size_t open = text.find('"'); open != std::string_view::npos;
             open = text.find('"', at)) {
            const size_t close = text.find('"', open + 1);
            if (close == std::string_view::npos)
                break;
            out << text.substr(at, open - at);
            WriteReference(part, circuit, PinName(text.substr(open + 1, close - open - 1), r), out,
                           log);
            at = close + 1;
        }
        out << text.substr(at) << "\n";
    }
}

void CLogicFormat::WriteReference(CComponentRecord& part, CLogicCircuit& circuit,
                                  const CString& name, std::ostream& out, std::ostream& log) {
    auto pin =
        std::find_if(part.pins.begin(), part.pins.end(),
                     [&name](const CPinConnection& candidate) { return candidate.name == name; });
    if (pin == part.pins.end()) {
        log << "Pin not found " << name << "\n";
        return;
    }
    if (!pin->net)
        pin->net = circuit.GetNet(MakeUniqueNetName(circuit, m_uniqueNames));
    out << LegalNetName(circuit, *pin->net);
}

void CLogicFormat::Rename(CLogicCircuit& circuit, CNetRecord& net, const CString& name) {
    if (CNetRecord** listed = circuit.Nets().Find(net.name); listed && *listed == &net)
        circuit.Nets().RemoveKey(net.name);
    net.name = name;
    circuit.Nets().SetAt(name, &net);
}
