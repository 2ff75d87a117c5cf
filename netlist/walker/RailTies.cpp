#include "netlist/walker/RailTies.h"

#include <algorithm>
#include <ostream>

#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/WireRails.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/SheetFiles.h"

namespace {

const CNet* PinNet(const CPin& pin) {
    return pin.GetWire() ? pin.GetWire()->GetNet() : nullptr;
}

std::string CutKey(const CString& instance, const CString& port) {
    return instance.str() + '\x01' + port.str();
}

}  // namespace

CString CSheetRails::RailOf(const CString& net) const {
    if (rails.contains(net.str()))
        return net;
    const auto it = nets.find(net.str());
    return it == nets.end() ? CString() : it->second;
}

CString CRailShort::Describe() const {
    return "port '" + port + "' of " + instance + " shorts rails '" + net + "' and '" + rail + "'";
}

CString CRenamedRail::Describe() const {
    return "sheet '" + sheet + "' names rail " + rail + " '" + name +
           "' where the top sheet names it '" + topName + "'";
}

CRailTies::CRailTies(CDocNetlist& top, CSheetFiles& sheets) : m_files(sheets) {
    m_reading.push_back(top.GetPathName());
    Read(top, m_top, 0);
    m_reading.clear();
    std::unordered_set<std::string> seen;
    for (size_t i = 0; i < m_top.blocks.size(); ++i)
        CollectRenamed(m_top.blocks[i].path, i, 1, seen);
    if (!m_top.meetsBelow)
        return;
    Collect(m_top, CString(), 0, 0);
    for (const Told& told : m_told) {
        const CSheetRails::Meeting& meeting = *told.meeting;
        if (!meeting.shorted)
            continue;
        m_shorts.push_back({told.topBlock, told.instance, meeting.port, meeting.net, meeting.rail});
        m_cut.insert(CutKey(told.instance, meeting.port));
    }
}

// The meetings of the sheet and of the sheets below it, instance by instance, depth first; on
// the top sheet (depth 0) each block is its own top block.
void CRailTies::Collect(const CSheetRails& sheet, const CString& prefix, size_t topBlock,
                        int depth) {
    if (!sheet.meetsBelow || depth >= kMaxSheetDepth)
        return;
    for (size_t i = 0; i < sheet.blocks.size(); ++i) {
        const CString instance = prefix + sheet.blocks[i].id;
        const size_t top = depth == 0 ? i : topBlock;
        for (const CSheetRails::Meeting& meeting : sheet.meetings) {
            if (meeting.block == i)
                m_told.push_back({instance, top, &meeting});
        }
        if (const CSheetRails* below = Sheet(sheet.blocks[i].path))
            Collect(*below, instance + ":", top, depth + 1);
    }
}

// The sheet of the path, reached through the top block, then the sheets below it, each sheet
// once.
void CRailTies::CollectRenamed(const CString& path, size_t topBlock, int depth,
                               std::unordered_set<std::string>& seen) {
    const CSheetRails* sheet = Sheet(path);
    if (!sheet || depth > kMaxSheetDepth || !seen.insert(path.str()).second)
        return;
    for (int rail = 0; rail < kRailCount; ++rail) {
        const CString& name = sheet->railNames[rail];
        const CString& topName = m_top.railNames[rail];
        if (!name.IsEmpty() && !topName.IsEmpty() && name != topName)
            m_renamed.push_back({topBlock, path, RailAttribute(rail), name, topName});
    }
    for (const CSheetRails::Block& block : sheet->blocks)
        CollectRenamed(block.path, topBlock, depth + 1, seen);
}

const CSheetRails* CRailTies::Sheet(const CString& path) const {
    const auto it = m_sheets.find(path.str());
    return it == m_sheets.end() ? nullptr : it->second.get();
}

bool CRailTies::IsCut(const CString& instance, const CString& port) const {
    return !m_cut.empty() && m_cut.contains(CutKey(instance, port));
}

const CSheetRails* CRailTies::ReadFile(const CString& path, int depth) {
    if (const auto it = m_sheets.find(path.str()); it != m_sheets.end())
        return it->second.get();
    if (depth >= kMaxSheetDepth ||
        std::any_of(m_reading.begin(), m_reading.end(),
                    [&](const CString& reading) { return SameSheetFile(reading, path); }))
        return nullptr;
    CDrawDoc* document = m_files.Open(path);
    if (!document) {
        m_sheets.emplace(path.str(), nullptr);
        return nullptr;
    }
    m_reading.push_back(path);
    auto sheet = std::make_unique<CSheetRails>();
    {
        CDocNetlist walker(document);
        Read(walker, *sheet, depth);
    }
    m_reading.pop_back();
    for (CSheetRails::Block& block : sheet->blocks)
        block.symbol = nullptr;
    return m_sheets.emplace(path.str(), std::move(sheet)).first->second.get();
}

// A net takes the rail of the first port that ties it; a later port of another rail shorts the
// two. The first port symbol of a name is the port.
void CRailTies::Read(CDocNetlist& walker, CSheetRails& sheet, int depth) {
    const POSITION firstBlock = walker.GetFirstSymbolOfKind(kKindMaskSubCircuit);
    if (depth == 0 && !firstBlock)  // the top sheet's own ports lead nowhere
        return;
    for (int rail = 0; rail < kRailCount; ++rail)
        sheet.railNames[rail] = walker.GetPowerNetName(rail);
    for (const CString& name : walker.GetSupplyNetNames())
        sheet.rails.insert(name.str());
    const CString idName = GetStdAttrName(kStdAttrId);
    for (POSITION pos = firstBlock; pos;) {
        auto* symbol = static_cast<CSymbol*>(walker.GetNextSymbolOfKind(pos, kKindMaskSubCircuit));
        if (symbol->GetPins().IsEmpty())
            continue;
        CString path;
        symbol->GetSubcircuitPath(path);
        const size_t index = sheet.blocks.size();
        sheet.blocks.push_back({symbol->GetAttr(idName), path, symbol});
        const CSheetRails* inner = ReadFile(path, depth + 1);
        if (!inner)
            continue;
        sheet.meetsBelow = sheet.meetsBelow || inner->meetsBelow;
        if (inner->ports.empty())
            continue;
        for (POSITION pinPos = symbol->GetPins().GetHeadPosition(); pinPos;) {
            auto* pin = static_cast<CPin*>(symbol->GetPins().GetNext(pinPos));
            const CNet* net = PinNet(*pin);
            const CString port = pin->GetAttr(idName);
            const auto tie = inner->ports.find(port.str());
            if (!net || tie == inner->ports.end())
                continue;
            const CString& rail = tie->second;
            const CString current = sheet.RailOf(net->GetName());
            if (current.IsEmpty()) {
                sheet.nets.emplace(net->GetName().str(), rail);
                if (net->GetFlags() & kNetNamed)
                    sheet.meetings.push_back({index, port, net->GetName(), rail, false});
            } else if (current != rail) {
                sheet.meetings.push_back({index, port, current, rail, true});
            }
        }
    }
    std::unordered_set<std::string> seen;
    for (POSITION pos = walker.GetFirstSymbolOfKind(kKindMaskPort); pos;) {
        auto* symbol = static_cast<CSymbol*>(walker.GetNextSymbolOfKind(pos, kKindMaskPort));
        if (symbol->GetPins().IsEmpty())
            continue;
        auto* first = static_cast<CPin*>(symbol->GetPins().GetHead());
        const CString port = first->GetAttr(idName);
        const CNet* net = PinNet(*first);
        if (!seen.insert(port.str()).second || !net)
            continue;
        if (const CString rail = sheet.RailOf(net->GetName()); !rail.IsEmpty())
            sheet.ports.emplace(port.str(), rail);
    }
    sheet.meetsBelow = sheet.meetsBelow || !sheet.meetings.empty();
}

void CRailTies::Report(std::ostream& log) const {
    for (const CRenamedRail& renamed : m_renamed)
        log << "Warning - " << renamed.Describe() << ": its nets stay apart from the top's.\n";
    for (const Told& told : m_told) {
        const CSheetRails::Meeting& meeting = *told.meeting;
        if (meeting.shorted) {
            log << "Error - "
                << CRailShort{0, told.instance, meeting.port, meeting.net, meeting.rail}.Describe()
                << ".\n";
        } else {
            // The named net is the instance's sheet's, under the sheet's prefix.
            const int colon = told.instance.ReverseFind(':');
            const CString prefix = colon < 0 ? CString() : told.instance.Left(colon + 1);
            log << "Warning - net '" << prefix + meeting.net << "' takes the name of rail '"
                << meeting.rail << "', to which port '" << meeting.port << "' of " << told.instance
                << " ties it.\n";
        }
    }
}
