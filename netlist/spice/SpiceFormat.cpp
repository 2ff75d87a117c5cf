#include "netlist/spice/SpiceFormat.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/net/HiddenPinTies.h"
#include "model/net/Net.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "netlist/circuit/NetlistCircuit.h"
#include "netlist/spice/SpiceUi.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "netlist/walker/RailTies.h"
#include "platform/Paths.h"
#include "platform/SettingsStore.h"

namespace {

constexpr const char* kSection = "Spice";
constexpr int kMaxNameLength = 7;

bool IsAlnum(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

bool IsAllAlnum(const CString& text) {
    return std::all_of(text.str().begin(), text.str().end(), IsAlnum);
}

// Whether a simulator reads the node name as ground: "0", and "gnd" in any case.
bool IsGroundName(const CString& name) {
    return name == "0" || name.CompareNoCase("GND") == 0;
}

// Whether a net keeps its name as its node when names are not replaced by numbers.
bool KeepsItsName(const CString& netName) {
    return IsAllAlnum(netName) && !IsGroundName(netName);
}

// The net a pin's wire carries, or null.
const char* PinNetName(const CPin& pin) {
    const CDrawObj* wire = pin.GetWire();
    const CNet* net = wire ? wire->GetNet() : nullptr;
    return net ? net->GetName().c_str() : nullptr;
}

// The file name of path without folder and extension.
CString FileStem(const CString& path) {
    return CString(std::filesystem::path(path.str()).stem().string());
}

// The stem and the number a name ends in (0 when none).
void SplitTrailingNumber(const CString& name, CString& stem, long long& number) {
    const std::string& text = name.str();
    std::size_t digits = text.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(text[digits - 1])))
        --digits;
    stem = CString(text.substr(0, digits));
    number = 0;
    for (std::size_t i = digits; i < text.size() && number < 1000000000000LL; ++i)
        number = number * 10 + (text[i] - '0');
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// The ties of a sheet the build did not read.
const CSheetRails kNoRails;

// A rail's node stands in the deck as a mark until the deck is complete: "\x01" + its number in
// the writer's list + "\x02".
constexpr char kRailMarkStart = '\x01';
constexpr char kRailMarkEnd = '\x02';

CString Upper(CString text) {
    text.MakeUpper();
    return text;
}

// The words of a Spice text as a simulator parts them, in upper case; marks are left out.
void AddWords(const std::string& text, std::unordered_set<std::string>& words) {
    std::string word;
    auto end = [&] {
        if (!word.empty() && word.find(kRailMarkStart) == std::string::npos)
            words.insert(Upper(CString(word)).str());
        word.clear();
    };
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)) || c == ',' || c == '(' || c == ')' ||
            c == '=')
            end();
        else
            word += c;
    }
    end();
}

}  // namespace

SettingsStore& SpiceSettings() {
    if (CSchematicApp* app = GetApp())
        return app->Settings();
    static SettingsStore empty{std::filesystem::path()};
    return empty;
}

CSymbol* FindSymbolById(CDocNetlist& walker, DWORD kindMask, const char* id) {
    POSITION pos = walker.GetFirstSymbolOfKind(kindMask);
    while (pos) {
        auto* symbol = static_cast<CSymbol*>(walker.GetNextSymbolOfKind(pos, kindMask));
        if (symbol->GetAttr("_ID") == id)
            return symbol;
    }
    return nullptr;
}

CSpiceFormat::CSpiceFormat() : m_sheetRails(&kNoRails) {}
CSpiceFormat::~CSpiceFormat() = default;

int CSpiceFormat::EditOptions(CDocNetlist* walker) {
    if (!Installed<ISpiceUi>::Get().EditOptions(walker))
        return 0;
    ClearAnalyses();
    return 1;
}

BOOL CSpiceFormat::WriteHeader(CDocNetlist& walker, std::ostream& out, std::ostream& /*log*/) {
    m_walker = &walker;
    m_subcktSheets.clear();
    m_subcktDefs.RemoveAll();
    m_includes.clear();
    m_commands.str("");
    m_commands.clear();
    m_mainNodes.clear();
    m_mainNames.clear();
    m_railNodes.clear();
    m_railNodeSet.clear();
    m_globalNodes.clear();
    m_highestNumber = 0;
    m_partLeftOut = false;
    m_deck.str("");
    m_deck.clear();
    m_railMarks.clear();
    m_railMarkOf.clear();
    m_definitionWords.clear();
    const SettingsStore& settings = SpiceSettings();
    if (m_analyses.empty())
        m_analyses = MakeSpiceAnalyses(settings.GetProfileInt(kSection, "Analyses", 0), settings);
    m_subFormat = settings.GetProfileString(kSection, "SubFormat");
    m_substituteNets = static_cast<int>(settings.GetProfileInt(kSection, "SubsNets", 1));
    m_refNet = ChooseReferenceNet(walker);
    if (m_refNet.IsEmpty())
        return FALSE;
    m_mainNodes[m_refNet.str()] = "0";
    m_railNodes[m_refNet.str()] = "0";
    const CDrawDoc* document = walker.GetDocument();
    out << "* Vosk Schematic - " << (document ? document->GetTitle() : CString())
        << " Spice Netlist\n\n* Main Circuit\n";
    return out.good() ? TRUE : FALSE;
}

// "Spice"/"RefNet", else the ground rail's net, when the document has that net; else the
// user's choice. Empty when the user cancels.
CString CSpiceFormat::ChooseReferenceNet(CDocNetlist& walker) {
    CString net = SpiceSettings().GetProfileString(kSection, "RefNet");
    if (net.IsEmpty())
        net = walker.GetPowerNetName(0);
    if (!net.IsEmpty() && walker.FindNetByName(net))
        return net;
    net.Empty();
    if (!Installed<ISpiceUi>::Get().ChooseReferenceNet(walker, net))
        return CString();
    return net;
}

// The sheets are written into the deck held until its end, when the rails' nodes are known.
int CSpiceFormat::PrepareSheet(CDocNetlist& walker, CNetNode& node, std::ostream& /*out*/,
                               std::ostream& log) {
    std::ostream& out = m_deck;
    const bool mainSheet = node.GetParent() == nullptr;
    m_log = &log;
    const CRailTies* ties = node.GetRoot()->railTies.get();
    const CSheetRails* rails = !ties ? nullptr : mainSheet ? &ties->Top() : ties->Sheet(node.path);
    CollectSubcircuitSheets(walker);
    if (!mainSheet) {
        CSpiceSubcktSheet* sheet = FindSubcktSheet(walker.GetPathName());
        if (!sheet) {
            log << "Error - no sub-circuit block names " << walker.GetPathName() << ".\n";
            return FALSE;
        }
        if (sheet->written)
            return TRUE;
        StartSheetNodes(walker, rails ? *rails : kNoRails, false, log);
        if (!WriteSubcktHeading(walker, *sheet, out, log))
            return FALSE;
    } else {
        StartSheetNodes(walker, rails ? *rails : kNoRails, true, log);
    }
    WriteSheetDevices(walker, node, out, log);
    WriteModels(out);
    if (mainSheet) {
        m_mainNames = m_sheetNames;
        KeepMainRails(walker);
    } else {
        out << ".ends\n";
    }
    m_nodes = &m_mainNodes;
    m_sheetRails = &kNoRails;
    return out.good() ? TRUE : FALSE;
}

void CSpiceFormat::StartSheetNodes(CDocNetlist& walker, const CSheetRails& rails, bool mainSheet,
                                   std::ostream& log) {
    m_nodeCounter = 1;
    m_sheetRails = &rails;
    if (!mainSheet) {
        m_sheetNodes.clear();
        JoinSheetRails(walker);
    } else {
        if (const CString rail = rails.RailOf(m_refNet); !rail.IsEmpty() && rail != m_refNet) {
            // The reference net takes the name of the rail a block ties it to, as in every
            // netlist.
            m_mainNodes[rail.str()] = "0";
            m_railNodes[rail.str()] = "0";
        }
        m_mainRails.clear();
        for (const CString& name : walker.GetSupplyNetNames())
            m_mainRails.insert(name.str());
        for (const auto& tie : rails.nets)
            m_mainRails.insert(tie.second.str());
    }
    m_nodes = mainSheet ? &m_mainNodes : &m_sheetNodes;
    m_sheetNetNames.clear();
    if (m_substituteNets)
        return;
    POSITION pos = walker.GetFirstNet();
    while (pos)
        m_sheetNetNames.insert(walker.GetNextNet(pos)->GetName().str());
    NumberNamesNotKept(walker, log);
}

// The next number as the net's node (a main circuit's rail keeps its mark).
CString CSpiceFormat::NumberNet(const CString& name) {
    const CString number = NextNumber();
    (*m_nodes)[name.str()] = IsMainRail(name) ? RailMark(number, name) : number;
    return number;
}

void CSpiceFormat::TellGroundRename(const CString& name, const CString& node) {
    if (m_log)
        *m_log << "Warning - net '" << name
               << "' would be ground to the simulator: renamed to node " << node << ".\n";
}

// Numbered rails keep their numbers: sub-circuit sheets, all written after the main circuit,
// number their own nets around them.
void CSpiceFormat::KeepMainRails(CDocNetlist& walker) {
    for (const CString& name : walker.GetSupplyNetNames()) {
        if (name == m_refNet)
            continue;
        if (auto it = m_mainNodes.find(name.str()); it != m_mainNodes.end())
            m_railNodes[name.str()] = it->second;
        else if (!m_substituteNets && KeepsItsName(name) && walker.FindNetByName(name))
            m_railNodes[name.str()] = RailMark(name, name);
        else
            continue;
        m_railNodeSet.insert(NodeText(m_railNodes[name.str()]).str());
    }
}

void CSpiceFormat::JoinSheetRails(CDocNetlist& walker) {
    m_unwiredRails.clear();
    for (const CString& name : walker.GetSupplyNetNames()) {
        if (m_sheetNodes.contains(name.str()))
            continue;
        if (!walker.FindNetByName(name)) {
            m_unwiredRails.insert(name.str());
            continue;
        }
        const CString node = RailNode(name);
        m_sheetNodes[name.str()] = node;
        DeclareGlobal(node);
    }
}

void CSpiceFormat::DeclareGlobal(const CString& node) {
    if (node != "0" &&
        std::find(m_globalNodes.begin(), m_globalNodes.end(), node) == m_globalNodes.end())
        m_globalNodes.push_back(node);
}

// A rail that the main circuit does not have takes its name when names are kept, else a number
// above every number handed out so far, which later sheets leave to it.
CString CSpiceFormat::RailNode(const CString& netName) {
    auto [it, added] = m_railNodes.try_emplace(netName.str());
    if (added) {
        const CString node = !m_substituteNets && KeepsItsName(netName)
                                 ? netName
                                 : CString(std::to_string(++m_highestNumber).c_str());
        m_railNodeSet.insert(node.str());
        if (!m_substituteNets && IsGroundName(netName))
            TellGroundRename(netName, node);
        it->second = RailMark(node, netName);
    }
    return it->second;
}

// Node names are read without regard to case: of the kept net names that differ only in case,
// the first met keeps its name and each other one becomes a number. A net whose name the
// simulator reads as ground, other than the reference net, becomes a number too.
void CSpiceFormat::NumberNamesNotKept(CDocNetlist& walker, std::ostream& log) {
    std::unordered_map<std::string, CString> kept;  // upper-case name to the net that has it
    POSITION pos = walker.GetFirstNet();
    while (pos) {
        const CString& name = walker.GetNextNet(pos)->GetName();
        if (!IsAllAlnum(name) || m_nodes->contains(name.str()) ||
            m_sheetRails->nets.contains(name.str()))
            continue;
        if (IsGroundName(name)) {
            TellGroundRename(name, NumberNet(name));
            continue;
        }
        CString upper = name;
        upper.MakeUpper();
        const auto [first, added] = kept.try_emplace(upper.str(), name);
        if (added)
            continue;
        const CString node = NumberNet(name);
        log << "Warning - net '" << name << "' differs from net '" << first->second
            << "' only in case: renamed to node " << node << ".\n";
    }
}

void CSpiceFormat::CollectSubcircuitSheets(CDocNetlist& walker) {
    POSITION pos = walker.GetFirstSymbolOfKind(kKindMaskSubCircuit);
    while (pos) {
        auto* block = static_cast<CSymbol*>(walker.GetNextSymbolOfKind(pos, kKindMaskSubCircuit));
        CString path;
        block->GetSubcircuitPath(path);
        auto& record = m_subcktSheets[path.str()];
        if (record)
            continue;
        record = std::make_unique<CSpiceSubcktSheet>();
        CString base = FileStem(path);
        if (base.GetLength() > kMaxNameLength || !IsAllAlnum(base) || base.IsEmpty())
            base = "Sub";
        CString name = base == "Sub" ? CString("Sub1") : base;
        for (int n = 2; std::any_of(m_subcktSheets.begin(), m_subcktSheets.end(),
                                    [&](const auto& entry) {
                                        return entry.second.get() != record.get() &&
                                               entry.second->name == name;
                                    });
             ++n)
            name = base + std::to_string(n).c_str();
        record->name = name;
        POSITION pinPos = block->GetPins().GetHeadPosition();
        while (pinPos)
            record->ports.push_back(
                static_cast<CPin*>(block->GetPins().GetNext(pinPos))->GetAttr("_ID"));
    }
}

CSpiceSubcktSheet* CSpiceFormat::FindSubcktSheet(const CString& path) {
    auto it = m_subcktSheets.find(path.str());
    return it == m_subcktSheets.end() ? nullptr : it->second.get();
}

// A port is the sheet's first port symbol with pins whose first pin is named so.
BOOL CSpiceFormat::WriteSubcktHeading(CDocNetlist& walker, CSpiceSubcktSheet& sheet,
                                      std::ostream& out, std::ostream& log) {
    sheet.written = TRUE;
    out << "\n* Sub-Circuit " << sheet.name << "\n.subckt  " << sheet.name;
    for (const CString& port : sheet.ports) {
        CPin* portPin = nullptr;
        POSITION pos = walker.GetFirstSymbolOfKind(kKindMaskPort);
        while (pos && !portPin) {
            auto* symbol = static_cast<CSymbol*>(walker.GetNextSymbolOfKind(pos, kKindMaskPort));
            if (symbol->GetPins().IsEmpty())
                continue;
            auto* first = static_cast<CPin*>(symbol->GetPins().GetHead());
            if (first->GetAttr("_ID") == port)
                portPin = first;
        }
        if (!portPin) {
            out << "\n.ends\n";
            log << "Error - unresolved port '" << port << "'.\n";
            return FALSE;
        }
        const char* netName = PinNetName(*portPin);
        out << "  " << (IsTiedNet(netName) ? NextNumber() : GetNodeName(netName));
    }
    out << "\n";
    return TRUE;
}

CString CSpiceFormat::NextNumber() {
    while (true) {
        m_highestNumber = std::max(m_highestNumber, m_nodeCounter);
        CString number(std::to_string(m_nodeCounter++).c_str());
        if ((m_substituteNets || !m_sheetNetNames.contains(number.str())) &&
            !m_railNodeSet.contains(number.str()))
            return number;
    }
}

CString CSpiceFormat::GetNodeName(const char* netName) {
    if (!netName || !*netName)
        return NextNumber();
    auto it = m_nodes->find(netName);
    if (it != m_nodes->end())
        return it->second;
    if (auto tie = m_sheetRails->nets.find(netName); tie != m_sheetRails->nets.end()) {
        const CString node = SupplyNode(tie->second);
        (*m_nodes)[netName] = node;
        return node;
    }
    // A hidden pin on a rail of a sub-circuit sheet that no wire there carries: the rail is the
    // design's, as in every netlist.
    if (m_nodes == &m_sheetNodes && m_unwiredRails.contains(netName))
        return SupplyNode(netName);
    return NewNode(netName);
}

CString CSpiceFormat::NewNode(const char* netName) {
    const CString name(netName);
    // On a sub-circuit sheet, a name that is a rail's node is left to that rail.
    const bool railNode = m_nodes == &m_sheetNodes && m_railNodeSet.contains(name.str());
    const bool keepsName = !m_substituteNets && KeepsItsName(name) && !railNode;
    if (IsMainRail(name)) {
        const CString node = RailMark(keepsName ? name : NextNumber(), name);
        (*m_nodes)[name.str()] = node;
        return node;
    }
    if (keepsName)
        return name;
    CString node = NextNumber();
    (*m_nodes)[name.str()] = node;
    return node;
}

// On the main circuit the rail is its net of that name, if any; on a sub-circuit sheet that
// does not have it, the rail's design-wide node.
CString CSpiceFormat::SupplyNode(const CString& rail) {
    if (auto it = m_nodes->find(rail.str()); it != m_nodes->end())
        return it->second;
    if (m_nodes == &m_mainNodes) {
        const CString node = NewNode(rail);
        m_railNodes[rail.str()] = node;
        m_railNodeSet.insert(NodeText(node).str());
        return node;
    }
    const CString node = RailNode(rail);
    m_sheetNodes[rail.str()] = node;
    DeclareGlobal(node);
    return node;
}

bool CSpiceFormat::IsMainRail(const CString& netName) const {
    return m_nodes == &m_mainNodes && m_mainRails.contains(netName.str());
}

CString CSpiceFormat::RailMark(const CString& node, const CString& rail) {
    auto [it, added] = m_railMarkOf.try_emplace(node.str(), m_railMarks.size());
    if (added)
        m_railMarks.push_back({node, rail});
    return CString(std::string(1, kRailMarkStart) + std::to_string(it->second) + kRailMarkEnd);
}

CString CSpiceFormat::NodeText(const CString& node) const {
    const std::string& text = node.str();
    if (text.empty() || text.front() != kRailMarkStart)
        return node;
    return m_railMarks[std::stoul(text.substr(1))].node;
}

// A global node takes effect inside every sub-circuit: one that a definition of the deck names
// as a node of its own is renamed to a number that no word of the deck is.
std::string CSpiceFormat::ResolveRailNodes(const std::string& deck, std::ostream& log) {
    std::vector<CString> nodes;
    for (const RailMarkEntry& mark : m_railMarks)
        nodes.push_back(mark.node);
    std::unordered_set<std::string> words;
    for (const CString& global : m_globalNodes) {
        const std::string& text = global.str();
        if (text.empty() || text.front() != kRailMarkStart)
            continue;
        const std::size_t index = std::stoul(text.substr(1));
        const CString& node = m_railMarks[index].node;
        if (!m_definitionWords.contains(Upper(node).str()))
            continue;
        if (words.empty()) {
            AddWords(deck, words);
            words.insert(m_definitionWords.begin(), m_definitionWords.end());
            for (const RailMarkEntry& mark : m_railMarks)
                words.insert(Upper(mark.node).str());
        }
        std::string number;
        do
            number = std::to_string(++m_highestNumber);
        while (words.contains(number));
        words.insert(number);
        nodes[index] = CString(number);
        log << "Warning - node " << node << " of rail '" << m_railMarks[index].rail
            << "' is a node of a sub-circuit definition: renamed to node " << number << ".\n";
    }
    // A user's text may hold the mark characters too: only a whole mark is replaced.
    std::string resolved;
    resolved.reserve(deck.size());
    for (std::size_t at = 0; at < deck.size(); ++at) {
        std::size_t end = at + 1;
        std::size_t index = 0;
        while (deck[at] == kRailMarkStart && end < deck.size() && index < nodes.size() &&
               std::isdigit(static_cast<unsigned char>(deck[end])))
            index = index * 10 + static_cast<std::size_t>(deck[end++] - '0');
        if (end == at + 1 || end == deck.size() || deck[end] != kRailMarkEnd ||
            index >= nodes.size()) {
            resolved += deck[at];
            continue;
        }
        resolved += nodes[index].str();
        at = end;
    }
    return resolved;
}

bool CSpiceFormat::IsTiedNet(const char* netName) const {
    return netName && !m_sheetRails->RailOf(netName).IsEmpty();
}

CString CSpiceFormat::MappedNode(const CString& netName) const {
    auto it = m_mainNodes.find(netName.str());
    return it == m_mainNodes.end() ? netName : it->second;
}

CString CSpiceFormat::LookupSpiceName(const CSymbol* symbol) const {
    auto it = m_names->find(symbol);
    return it == m_names->end() ? CString() : it->second;
}

int CSpiceFormat::CompareSpiceNames(const CString& a, const CString& b) {
    CString stemA;
    CString stemB;
    long long numberA = 0;
    long long numberB = 0;
    SplitTrailingNumber(a, stemA, numberA);
    SplitTrailingNumber(b, stemB, numberB);
    if (stemA.GetLength() != stemB.GetLength())
        return Sign(a.CompareNoCase(b));
    if (const int stems = stemA.CompareNoCase(stemB); stems != 0)
        return Sign(stems);
    return (numberA > numberB) - (numberA < numberB);
}

std::vector<CSpiceDeviceRecord> CSpiceFormat::MakeDeviceRecords(CDocNetlist& walker) {
    constexpr DWORD kElementKinds = kKindMaskSimulation | kKindMaskDevice | kKindMaskSubCircuit;
    std::vector<CSpiceDeviceRecord> records;
    POSITION pos = walker.GetFirstSymbolOfKind(kElementKinds);
    while (pos) {
        auto* symbol = static_cast<CSymbol*>(walker.GetNextSymbolOfKind(pos, kElementKinds));
        records.push_back({symbol, symbol->GetAttr("_ID"), MakeSpiceName(*symbol)});
    }
    std::stable_sort(records.begin(), records.end(),
                     [](const CSpiceDeviceRecord& a, const CSpiceDeviceRecord& b) {
                         const int order = CompareSpiceNames(a.name, b.name);
                         if (order != 0)
                             return order < 0;
                         return a.name.CompareNoCase(a.id) == 0 && b.name.CompareNoCase(b.id) != 0;
                     });
    return records;
}

// A name met twice is kept by the first record only; each other one gets the first free name
// of its prefix and moves to its place in the order.
void CSpiceFormat::MakeNamesUnique(std::vector<CSpiceDeviceRecord>& records) const {
    for (std::size_t i = 1; i < records.size();) {
        if (records[i].name.IsEmpty() || records[i].name.CompareNoCase(records[i - 1].name) != 0) {
            ++i;
            continue;
        }
        CSpiceDeviceRecord record = records[i];
        records.erase(records.begin() + static_cast<std::ptrdiff_t>(i));
        const CString prefix = GetDevicePrefix(*record.symbol);
        int n = 1;
        record.name = prefix + std::to_string(n).c_str();
        auto place = records.end();
        for (auto it = records.begin(); it != records.end(); ++it) {
            const int order = CompareSpiceNames(it->name, record.name);
            if (order == 0) {
                record.name = prefix + std::to_string(++n).c_str();
            } else if (order > 0) {
                place = it;
                break;
            }
        }
        records.insert(place, record);
    }
}

BOOL CSpiceFormat::WriteSheetDevices(CDocNetlist& walker, CNetNode& node, std::ostream& out,
                                     std::ostream& log) {
    std::vector<CSpiceDeviceRecord> records = MakeDeviceRecords(walker);
    MakeNamesUnique(records);
    m_sheetNames.clear();
    for (const CSpiceDeviceRecord& record : records)
        m_sheetNames[record.symbol] = record.name;
    m_names = &m_sheetNames;
    const CHiddenPinTies hiddenPins(*walker.GetDocument());
    m_hiddenPins = &hiddenPins;
    for (const CSpiceDeviceRecord& record : records)
        WriteElement(record, walker, node, out, log);
    m_hiddenPins = nullptr;
    return WriteSubcktDefinitions(walker, out, log);
}

// The line is made apart: one that fails is written as a comment, so that the next element
// keeps its own line.
void CSpiceFormat::WriteElement(const CSpiceDeviceRecord& record, CDocNetlist& walker,
                                CNetNode& node, std::ostream& out, std::ostream& log) {
    std::ostringstream line;
    if (!record.name.IsEmpty()) {
        if (record.id != record.name)
            out << "* " << record.id << " aliased by " << record.name << "\n";
        const CString prefix = GetDevicePrefix(*record.symbol);
        if (std::isspace(static_cast<unsigned char>(prefix.str().back())))
            line << prefix << " ";
        line << record.name << " ";
    }
    const BOOL written = WriteDevice(*record.symbol, walker, node, line, log);
    const std::string text = line.str();
    if (written)
        out << text;
    else if (!text.empty())
        out << "* " << text << "\n";
    if (!written)
        m_partLeftOut = true;
}

// The definitions the sheet's elements use, each once per sheet.
BOOL CSpiceFormat::WriteSubcktDefinitions(CDocNetlist& walker, std::ostream& out,
                                          std::ostream& log) {
    BOOL result = TRUE;
    for (const auto& entry : m_subcktDefs.InOrder()) {
        if (!m_sheetSubckts.contains(entry.key.str()))
            continue;
        out << "\n* Sub-Circuit " << entry.key << "\n\n";
        if (entry.value.Left(3).CompareNoCase("$(S") == 0) {
            const CString path = ExpandPath(walker, entry.value);
            std::ifstream file(path.str(), std::ios::binary);
            if (!file) {
                log << "Error - could not open file " << path << "\n";
                result = FALSE;
                break;
            }
            std::string text;
            for (char c; file.get(c);) {
                if (c != '\r')
                    text += c;
            }
            AddWords(text, m_definitionWords);
            out << "* " << text;
        } else {
            AddWords(entry.value.str(), m_definitionWords);
            out << entry.value;
        }
        out << "\n";
    }
    m_sheetSubckts.clear();
    return result;
}

void CSpiceFormat::WriteModels(std::ostream& out) {
    if (!m_models.IsEmpty()) {
        out << "\n* Model Definitions\n";
        for (const auto& entry : m_models.InOrder())
            out << ".model " << entry.key << " " << entry.value << "\n";
    }
    m_models.RemoveAll();
}

// The path macros of text expanded against the document, as a path of this system.
CString CSpiceFormat::ExpandPath(CDocNetlist& walker, const CString& text) const {
    CString path = text;
    if (CSchematicApp* app = GetApp()) {
        MacroDocument document;
        if (const CDrawDoc* doc = walker.GetDocument())
            document = {doc->GetTitle(), doc->GetPathName()};
        app->ExpandMacros(path, kMaxPath, &document);
    }
    return FromStoredPath(path);
}

int CSpiceFormat::WriteBody(CDocNetlist& walker, CNetNode& /*topNode*/, std::ostream& deckOut,
                            std::ostream& log) {
    std::ostream& out = m_deck;
    m_nodes = &m_mainNodes;
    m_names = &m_mainNames;
    m_sheetRails = &kNoRails;  // those of a sheet that ended early
    if (!m_globalNodes.empty()) {
        out << "\n* Global Nodes\n.global";
        for (const CString& node : m_globalNodes)
            out << " " << node;
        out << "\n";
    }
    for (const CString& include : m_includes) {
        const CString path = ExpandPath(walker, include);
        out << ".include " << path << "\n";
        // Its definitions are the deck's too.
        std::ifstream file(path.str(), std::ios::binary);
        AddWords(std::string(std::istreambuf_iterator<char>(file), {}), m_definitionWords);
    }
    if (const std::string commands = m_commands.str(); !commands.empty())
        out << "\n* Commands\n" << commands;
    if (!m_analyses.empty()) {
        out << "\n* Analyses\n";
        for (const auto& analysis : m_analyses)
            analysis->WriteCommand(*this, walker, out, log);
    }
    const CString extra = SpiceSettings().GetProfileString(kSection, "Extra");
    if (!extra.IsEmpty())
        out << "\n* Extra Commands\n" << extra;
    out << "\n.end\n";
    deckOut << ResolveRailNodes(m_deck.str(), log);
    m_deck.str("");
    m_names = &m_sheetNames;
    // A deck that lacks a part (the log names it) is no result.
    return deckOut.good() && !m_partLeftOut ? 1 : 0;
}
