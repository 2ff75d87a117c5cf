#include "netlist/walker/DocNetlist.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/HiddenPinTies.h"
#include "model/net/Net.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "netlist/walker/NetNode.h"
#include "netlist/walker/RailTies.h"
#include "netlist/walker/SheetFiles.h"
#include "netlist/walker/SheetOpener.h"
#include "netlist/writers/NetlistFormat.h"
#include "platform/Prefetch.h"

namespace {

constexpr DWORD kDeviceWalkMarks = kDeviceVisited | kDeviceWalkMark;
constexpr const char* kRailAttributes[] = {"Ground1", "Ground2", "Power1",
                                           "Power2",  "Power3",  "Power4"};
// The pin type of a rail symbol's pin ("Power Pin").
constexpr int kPowerPinType = 7;

DWORD KindBit(const CDrawObj* symbol) {
    return DWORD{0x100} << ((symbol->GetFlags() & kSymbolKindMask) >> 8);
}

bool IsSymbol(const CDrawObj* object) {
    return object->GetObjType() == kObjSymbol;
}

// The sheet at path is the node's own or one of its ancestors', or the hierarchy is already
// as deep as it may get.
bool IsWithinItself(const CNetNode& node, const CString& path) {
    int depth = 0;
    for (const CNetNode* level = &node; level; level = level->GetParent()) {
        if (SameSheetFile(level->path, path) || ++depth >= kMaxSheetDepth)
            return true;
    }
    return false;
}

void LogUnopened(const CString& path, std::ostream& log) {
    log << "Could not open file " << path << ".\n" << std::flush;
}

}  // namespace

// A symbol, its place in the document's list and its kind bit (KindBit).
struct PlacedSymbol {
    POSITION pos;
    CDrawObj* object;
    DWORD kindBit;
};

// Gathered in one pass over the list, so that the symbol and part walks of one build step
// through the few symbols instead of over every object of the sheet, and pick symbols by
// kind without reading them again.
struct CDocNetlist::SymbolList {
    explicit SymbolList(const CObList& objects) {
        constexpr int kFetchLead = 8;
        CListFetchAhead ahead(objects, kFetchLead);
        for (POSITION pos = objects.GetHeadPosition(); pos;) {
            ahead.Step();
            const POSITION at = pos;
            auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
            if (IsSymbol(object))
                symbols.push_back({at, object, KindBit(object)});
        }
        symbols.shrink_to_fit();  // kept through the build
    }
    // The index of the symbol at pos, or the count when pos holds none.
    size_t IndexOf(POSITION pos) {
        if (cursor >= symbols.size() || symbols[cursor].pos != pos)
            cursor = static_cast<size_t>(
                std::find_if(symbols.begin(), symbols.end(),
                             [pos](const PlacedSymbol& entry) { return entry.pos == pos; }) -
                symbols.begin());
        return cursor;
    }
    // The position of the first symbol of a kind in kindMask from index on, or null.
    POSITION FindOfKind(size_t index, DWORD kindMask) {
        for (cursor = index; cursor < symbols.size(); ++cursor) {
            if (symbols[cursor].kindBit & kindMask)
                return symbols[cursor].pos;
        }
        return nullptr;
    }

    std::vector<PlacedSymbol> symbols;
    size_t cursor = 0;  // the index last looked up or found
};

// The sheet's symbols in list order, each with the sections of its part: the symbols of the
// same device and package identifier. One pass over the symbols serves the whole part walk,
// which marks here the symbols it has given out. The entries name the symbols by their place
// in the symbol list, which the index shares with the build.
struct CDocNetlist::SectionIndex {
    struct Entry {
        uint32_t symbol;     // the place in the symbol list
        int group;           // the entry's device and identifier, or -1 without a device
        uint32_t member;     // the entry's place in its group's members
        uint16_t didLength;  // of the device identifier, the start of the symbol's identifier
        bool isPart;         // a physical-device symbol
        bool visited;        // given out as a section of a part
        CDevice* device;
        CPinMapLine* line;  // the section's line of the device's pin map, or null
    };
    // A device identifier too long for an entry's didLength.
    static constexpr uint16_t kLongDid = UINT16_MAX;

    explicit SectionIndex(std::shared_ptr<const SymbolList> list) : placed(std::move(list)) {
        // Number the groups in the order they are met, then lay their members out in one array.
        const std::vector<PlacedSymbol>& symbols = placed->symbols;
        entries.reserve(symbols.size());
        // Per group, while grouping: its device identifier and device.
        std::vector<CString> groupIds;
        std::vector<const CDevice*> groupDevices;
        GroupTable groupOf(symbols.size(), groupIds, groupDevices);
        std::vector<uint32_t> counts;
        constexpr size_t kFetchLead = 4;
        for (size_t i = 0; i < symbols.size(); ++i) {
            if (i + kFetchLead < symbols.size())
                FetchLines(symbols[i + kFetchLead].object, sizeof(CSymbol));
            const PlacedSymbol& symbol = symbols[i];
            CDrawObj* object = symbol.object;
            Entry entry{
                static_cast<uint32_t>(i), -1,     0, 0, symbol.kindBit == kKindMaskDevice, false,
                object->GetDevice(),      nullptr};
            if (entry.device) {
                CString did;
                entry.line = static_cast<CSymbol*>(object)->GetPartLine(did);
                entry.didLength =
                    static_cast<uint16_t>(std::min<size_t>(did.str().size(), kLongDid));
                entry.group = groupOf.Find(entry.device, std::move(did));
                if (static_cast<size_t>(entry.group) == counts.size())
                    counts.push_back(0);
                entry.member = counts[static_cast<size_t>(entry.group)]++;
            }
            entries.push_back(entry);
        }
        groupStart.assign(counts.size() + 1, 0);
        for (size_t group = 0; group < counts.size(); ++group)
            groupStart[group + 1] = groupStart[group] + counts[group];
        members.resize(groupStart.back());
        for (size_t i = 0; i < entries.size(); ++i) {
            const Entry& entry = entries[i];
            if (entry.group >= 0)
                members[groupStart[static_cast<size_t>(entry.group)] + entry.member] =
                    static_cast<uint32_t>(i);
        }
    }
    const PlacedSymbol& SymbolOf(const Entry& entry) const { return placed->symbols[entry.symbol]; }
    // The device identifier of the entry's symbol (GetPartLine's), without reading the device.
    CString DidOf(const Entry& entry) const {
        auto& symbol = static_cast<CSymbol&>(*SymbolOf(entry).object);
        CString did;
        if (entry.didLength == kLongDid) {
            symbol.GetPartLine(did);
        } else {
            did = symbol.GetAttr(GetStdAttrName(kStdAttrId));
            did.str().resize(std::min<size_t>(did.str().size(), entry.didLength));
        }
        return did;
    }
    CDrawObj* ObjectOf(size_t entry) const { return SymbolOf(entries[entry]).object; }
    // The entry of the symbol at pos, or null.
    Entry* Find(POSITION pos) {
        if (cursor >= entries.size() || SymbolOf(entries[cursor]).pos != pos)
            cursor = static_cast<size_t>(
                std::find_if(entries.begin(), entries.end(),
                             [&](const Entry& entry) { return SymbolOf(entry).pos == pos; }) -
                entries.begin());
        return cursor < entries.size() ? &entries[cursor] : nullptr;
    }
    // The entries of the entry's device and identifier that come after it.
    std::span<const uint32_t> After(const Entry& entry) const {
        if (entry.group < 0)
            return {};
        const size_t group = static_cast<size_t>(entry.group);
        return std::span<const uint32_t>(members).subspan(
            groupStart[group] + entry.member + 1,
            groupStart[group + 1] - groupStart[group] - entry.member - 1);
    }
    // The position of the first part not given out (of the device, when one is given) after
    // the entry last found, or null.
    POSITION NextPart(const CDevice* device) {
        while (++cursor < entries.size()) {
            const Entry& entry = entries[cursor];
            if (entry.isPart && !entry.visited && (!device || entry.device == device))
                return SymbolOf(entry).pos;
        }
        return nullptr;
    }

    std::shared_ptr<const SymbolList> placed;  // the symbols the entries name
    std::vector<Entry> entries;
    std::vector<uint32_t> members;     // the groups' entries, group after group, in list order
    std::vector<uint32_t> groupStart;  // per group and one more: its first member
    size_t cursor = 0;                 // the entry last found or passed

private:
    class GroupTable {
    public:
        GroupTable(size_t symbols, std::vector<CString>& ids, std::vector<const CDevice*>& devices)
            : m_ids(ids), m_devices(devices) {
            size_t size = 16;
            while (size < 2 * symbols)
                size *= 2;
            m_cells.assign(size, 0);
        }
        // The number of the group of device and did, a new one (the next number) if need be.
        int Find(const CDevice* device, CString did) {
            const size_t hash =
                std::hash<std::string_view>{}(did.str()) ^ std::hash<const CDevice*>{}(device);
            const size_t mask = m_cells.size() - 1;
            size_t i = hash & mask;
            for (; m_cells[i]; i = (i + 1) & mask) {
                const size_t group = m_cells[i] - 1;
                if (m_devices[group] == device && m_ids[group] == did)
                    return static_cast<int>(group);
            }
            m_ids.push_back(std::move(did));
            m_devices.push_back(device);
            m_cells[i] = static_cast<uint32_t>(m_ids.size());
            return static_cast<int>(m_ids.size() - 1);
        }

    private:
        std::vector<CString>& m_ids;
        std::vector<const CDevice*>& m_devices;
        std::vector<uint32_t> m_cells;  // a group's number plus one; 0 for a free cell
    };
};

bool SameSheetFile(const CString& a, const CString& b) {
    if (a.IsEmpty() || b.IsEmpty())
        return false;
    std::error_code ec;
    const std::filesystem::path first = std::filesystem::weakly_canonical(a.str(), ec);
    if (ec)
        return a == b;
    const std::filesystem::path second = std::filesystem::weakly_canonical(b.str(), ec);
    return ec ? a == b : first == second;
}

BOOL IsSymbolKindInMask(const CDrawObj* symbol, DWORD kindMask) {
    return symbol && (KindBit(symbol) & kindMask) ? TRUE : FALSE;
}

CDocNetlist::CDocNetlist() = default;

CDocNetlist::CDocNetlist(CDrawDoc* document) : m_document(document) {}

CDocNetlist::~CDocNetlist() = default;

// ---------------------------------------------------------------------------------------------
// Objects

POSITION CDocNetlist::GetHeadPosition() const {
    return m_document ? m_document->GetObjects().GetHeadPosition() : nullptr;
}

CDrawObj* CDocNetlist::GetNextObject(POSITION& pos) const {
    return static_cast<CDrawObj*>(m_document->GetObjects().GetNext(pos));
}

POSITION CDocNetlist::GetFirstOfType(DWORD typeMask) const {
    for (POSITION pos = GetHeadPosition(); pos;) {
        const POSITION at = pos;
        if (ObjTypeMask(GetNextObject(pos)->GetObjType()) & typeMask)
            return at;
    }
    return nullptr;
}

CDrawObj* CDocNetlist::GetNextOfType(POSITION& pos, DWORD typeMask) const {
    CDrawObj* object = GetNextObject(pos);
    while (pos) {
        const POSITION at = pos;
        if (ObjTypeMask(GetNextObject(pos)->GetObjType()) & typeMask) {
            pos = at;
            break;
        }
    }
    return object;
}

POSITION CDocNetlist::GetFirstSymbolOfKind(DWORD kindMask) const {
    if (m_symbols)
        return m_symbols->FindOfKind(0, kindMask);
    for (POSITION pos = GetHeadPosition(); pos;) {
        const POSITION at = pos;
        const CDrawObj* object = GetNextObject(pos);
        if (IsSymbol(object) && IsSymbolKindInMask(object, kindMask))
            return at;
    }
    return nullptr;
}

CDrawObj* CDocNetlist::GetNextSymbolOfKind(POSITION& pos, DWORD kindMask) const {
    if (m_symbols) {
        if (const size_t index = m_symbols->IndexOf(pos); index < m_symbols->symbols.size()) {
            pos = m_symbols->FindOfKind(index + 1, kindMask);
            return m_symbols->symbols[index].object;
        }
    }
    CDrawObj* object = GetNextObject(pos);
    while (pos) {
        const POSITION at = pos;
        const CDrawObj* next = GetNextObject(pos);
        if (IsSymbol(next) && IsSymbolKindInMask(next, kindMask)) {
            pos = at;
            break;
        }
    }
    return object;
}

// ---------------------------------------------------------------------------------------------
// Nets

POSITION CDocNetlist::GetFirstNet() const {
    for (POSITION pos = GetHeadPosition(); pos;) {
        const POSITION at = pos;
        if (GetNextObject(pos)->GetNet())
            return at;
    }
    return nullptr;
}

CNet* CDocNetlist::GetNextNet(POSITION& pos) {
    CNet* net = GetNextObject(pos)->GetNet();
    if (net)
        net->SetFlags(kNetVisited, kNetVisited);
    while (pos) {
        const POSITION at = pos;
        const CNet* next = GetNextObject(pos)->GetNet();
        if (next && !(next->GetFlags() & kNetVisited)) {
            pos = at;
            return net;
        }
    }
    ClearNetFlags(kNetVisited);
    return net;
}

void CDocNetlist::ClearNetFlags(DWORD mask) {
    if (mask == 0)
        mask = kNetVisited;
    for (POSITION pos = GetHeadPosition(); pos;) {
        if (CNet* net = GetNextObject(pos)->GetNet())
            net->SetFlags(0, mask);
    }
}

// The first object carrying a net of that name carries the first such net of a net walk.
CNet* CDocNetlist::FindNetByName(const char* name) {
    for (POSITION pos = GetHeadPosition(); pos;) {
        CNet* net = GetNextObject(pos)->GetNet();
        if (net && net->GetName() == name)
            return net;
    }
    return nullptr;
}

CString CDocNetlist::GetPowerNetName(int railIndex) const {
    if (railIndex < 0 || railIndex >= static_cast<int>(std::size(kRailAttributes)))
        return {};
    return GetDocAttribute(kRailAttributes[railIndex]);
}

std::vector<CString> CDocNetlist::GetSupplyNetNames() {
    std::vector<CString> names;
    auto add = [&](const CString& name) {
        if (!name.IsEmpty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    };
    for (int rail = 0; rail < static_cast<int>(std::size(kRailAttributes)); ++rail)
        add(GetPowerNetName(rail));
    // A net the sheet named on its own ("n0001" ...) means nothing on other sheets: a rail
    // names a supply only through its own identifier, or, having none, through a net the user
    // named. A net kept against a rail's name when the two met is no supply.
    for (POSITION pos = GetFirstSymbolOfKind(kKindMaskNetConnector); pos;) {
        auto* rail = static_cast<CSymbol*>(GetNextSymbolOfKind(pos, kKindMaskNetConnector));
        const CString railName = rail->GetAttr(GetStdAttrName(kStdAttrId));
        const CObList& pins = rail->GetPins();
        for (POSITION pinPos = pins.GetHeadPosition(); pinPos;) {
            const auto* pin = static_cast<const CPin*>(pins.GetNext(pinPos));
            const CNet* net = pin->GetWire() ? pin->GetWire()->GetNet() : nullptr;
            if (net && pin->GetPinType() == kPowerPinType &&
                (railName.IsEmpty() ? (net->GetFlags() & kNetNamed) != 0
                                    : net->GetName() == railName))
                add(net->GetName());
        }
    }
    return names;
}

CString CDocNetlist::GetDocAttribute(const char* name) const {
    return m_document ? m_document->GetAttribute(name) : CString();
}

CString CDocNetlist::GetPathName() const {
    return m_document ? m_document->GetPathName() : CString();
}

// ---------------------------------------------------------------------------------------------
// Devices and parts

POSITION CDocNetlist::GetFirstDevice() {
    for (POSITION pos = GetHeadPosition(); pos;) {
        const POSITION at = pos;
        if (CDevice* device = GetNextObject(pos)->GetDevice()) {
            device->SetFlags(kDeviceVisited, kDeviceVisited);
            return at;
        }
    }
    return nullptr;
}

CDevice* CDocNetlist::GetNextDevice(POSITION& pos) {
    CDevice* device = GetNextObject(pos)->GetDevice();
    while (pos) {
        const POSITION at = pos;
        CDevice* next = GetNextObject(pos)->GetDevice();
        if (next && !(next->GetFlags() & kDeviceVisited)) {
            next->SetFlags(kDeviceVisited, kDeviceVisited);
            pos = at;
            return device;
        }
    }
    ClearDeviceMarks();
    return device;
}

void CDocNetlist::ClearDeviceMarks() {
    for (POSITION pos = GetHeadPosition(); pos;) {
        if (CDevice* device = GetNextObject(pos)->GetDevice())
            device->SetFlags(0, kDeviceWalkMarks);
    }
}

POSITION CDocNetlist::GetFirstPart(CDevice* device) {
    EndPartWalk();  // one given up before its end
    for (POSITION pos = GetHeadPosition(); pos;) {
        const POSITION at = pos;
        const CDrawObj* object = GetNextObject(pos);
        if (IsSymbol(object) && (object->GetFlags() & kSymbolKindMask) == kSymbolDevice &&
            (!device || object->GetDevice() == device))
            return at;
    }
    return nullptr;
}

CSymbol* CDocNetlist::GetNextPart(POSITION& pos, CObList* sections, CDevice* device) {
    SectionIndex& index = Sections();
    SectionIndex::Entry* entry = index.Find(pos);
    auto* first = static_cast<CSymbol*>(GetNextObject(pos));
    m_sectionLines.clear();
    m_partDid.Empty();
    if (sections)
        sections->AddTail(first);
    if (!entry) {
        pos = nullptr;
        EndPartWalk();
        return first;
    }
    if (sections && entry->group >= 0)
        m_partDid = index.DidOf(*entry);
    auto giveOut = [&](size_t at) {
        SectionIndex::Entry& section = index.entries[at];
        section.visited = true;
        if (sections && section.device)
            m_sectionLines.emplace_back(static_cast<CSymbol*>(index.ObjectOf(at)), section.line);
    };
    giveOut(static_cast<size_t>(entry - index.entries.data()));
    for (size_t later : index.After(*entry)) {
        giveOut(later);
        if (sections)
            sections->AddTail(index.ObjectOf(later));
    }
    pos = index.NextPart(device);
    if (!pos)
        EndPartWalk();
    return first;
}

CPartSections CDocNetlist::TakePartSections(const CObList& sections) {
    CPartSections part;
    part.lines.reserve(static_cast<size_t>(sections.GetCount()));
    size_t kept = 0;
    for (POSITION pos = sections.GetHeadPosition(); pos;) {
        auto* section = static_cast<CSymbol*>(sections.GetNext(pos));
        const bool isKept = kept < m_sectionLines.size() && m_sectionLines[kept].first == section;
        if (isKept) {
            part.lines.push_back(m_sectionLines[kept++].second);
            if (part.lines.size() == 1)
                part.did = std::move(m_partDid);
            continue;
        }
        CString did;
        part.lines.push_back(section->GetPartLine(did));
        if (part.lines.size() == 1)
            part.did = std::move(did);
    }
    m_sectionLines.clear();
    m_partDid.Empty();
    return part;
}

CDocNetlist::SectionIndex& CDocNetlist::Sections() {
    if (!m_sections)
        m_sections = std::make_unique<SectionIndex>(
            m_symbols ? m_symbols : std::make_shared<SymbolList>(m_document->GetObjects()));
    return *m_sections;
}

void CDocNetlist::EndPartWalk() {
    m_sections.reset();
}

// ---------------------------------------------------------------------------------------------
// Build

int CDocNetlist::Build(CNetNode& node, CNetlistFormat& writer, std::ostream& out,
                       std::ostream& log) {
    std::unique_ptr<CDrawDoc> opened;
    if (!m_document) {
        opened = GetSheetOpener().OpenSheet(node.path);
        if (!opened) {
            LogUnopened(node.path, log);
            return kBuildError;
        }
        m_document = opened.get();
    }
    log << GetPathName() << "\n";
    const CHiddenPinTies hiddenPins(*m_document);
    for (const UnnamedHiddenPinTie& tie : hiddenPins.Unnamed())
        log << "Warning - " << CHiddenPinTies::DescribeUnnamed(tie) << "\n";
    const bool isTop = !node.GetParent();
    if (isTop)
        node.sheets = std::make_shared<CSheetFiles>();
    int result = PrepareWithSymbolList(node, writer, out, log);
    // A port that would short two rails is cut in every netlist: such a netlist is no result.
    if (isTop && result == kBuildOk && !node.railTies->Shorts().empty())
        result = kBuildError;
    if (opened) {
        opened->OnCloseDocument();
        opened.reset();
        m_document = nullptr;
    }
    if (result != kBuildStopped)
        result = BuildChildren(node, writer, out, log, result);
    if (isTop)
        node.sheets.reset();
    return result;
}

int CDocNetlist::BuildChildren(CNetNode& node, CNetlistFormat& writer, std::ostream& out,
                               std::ostream& log, int result) {
    CSheetFiles& sheets = *node.GetRoot()->sheets;
    for (int i = 0; i < node.GetChildCount(); ++i) {
        CNetNode& child = *node.GetChild(i);
        CDrawDoc* document = sheets.Open(child.path);
        if (!document)
            LogUnopened(child.path, log);
        const int sheetResult =
            document ? CDocNetlist(document).Build(child, writer, out, log) : kBuildError;
        if (sheetResult == kBuildStopped)
            return kBuildStopped;
        if (sheetResult != kBuildOk)
            result = sheetResult;
    }
    return result;
}

int CDocNetlist::PrepareWithSymbolList(CNetNode& node, CNetlistFormat& writer, std::ostream& out,
                                       std::ostream& log) {
    // Dropped however the preparation ends: an edit after the build must not meet it.
    struct Scope {
        std::shared_ptr<SymbolList>& list;
        ~Scope() { list.reset(); }
    } scope{m_symbols};
    m_symbols = std::make_shared<SymbolList>(m_document->GetObjects());
    if (!node.GetParent()) {
        auto ties = std::make_shared<CRailTies>(*this, *node.sheets);
        ties->Report(log);
        node.railTies = std::move(ties);
    }
    writer.PrepareSheet(*this, node, out, log);
    return AddSubcircuitChildren(node, log);
}

int CDocNetlist::AddSubcircuitChildren(CNetNode& node, std::ostream& log) {
    for (POSITION pos = GetFirstSymbolOfKind(kKindMaskSubCircuit); pos;) {
        auto* symbol = static_cast<CSymbol*>(GetNextSymbolOfKind(pos, kKindMaskSubCircuit));
        if (symbol->GetPins().IsEmpty())
            continue;
        CString path;
        symbol->GetSubcircuitPath(path);
        if (IsWithinItself(node, path)) {
            log << "Error - " << path << " is a sub-circuit of itself. Stopping.\n" << std::flush;
            return kBuildStopped;
        }
        node.AddChild(path)->id = symbol->GetAttr(GetStdAttrName(kStdAttrId));
    }
    return kBuildOk;
}
