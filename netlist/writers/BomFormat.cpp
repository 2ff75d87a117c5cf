#include "netlist/writers/BomFormat.h"

#include <algorithm>
#include <ostream>
#include <string_view>

#include "model/app/SchematicApp.h"
#include "netlist/circuit/NetlistCircuit.h"
#include "netlist/walker/NetNode.h"

namespace {

// Longest identifier line of a wrapped list, commas included.
constexpr int kWrapLength = 16;

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// Compares two runs of decimal digits as numbers of any size; no digits count as 0.
int CompareNumbers(std::string_view a, std::string_view b) {
    a.remove_prefix(std::min(a.find_first_not_of('0'), a.size()));
    b.remove_prefix(std::min(b.find_first_not_of('0'), b.size()));
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

size_t PrefixLength(std::string_view id) {
    size_t length = id.size();
    while (length > 0 && IsDigit(id[length - 1]))
        --length;
    return length;
}

CString Attribute(const CComponentRecord& part, const char* name) {
    CString value;
    if (part.attributes)
        part.attributes->Lookup(name, value);
    return value;
}

std::vector<CString> SplitAtCommas(const CString& text) {
    std::vector<CString> items;
    int start = 0;
    for (int comma; (comma = text.Find(',', start)) >= 0; start = comma + 1)
        items.push_back(text.Mid(start, comma - start));
    items.push_back(text.Mid(start));
    return items;
}

}  // namespace

int CompareIdentifiers(const CString& a, const CString& b) {
    const std::string_view left(a.str());
    const std::string_view right(b.str());
    const size_t leftPrefix = PrefixLength(left);
    const size_t rightPrefix = PrefixLength(right);
    if (leftPrefix != rightPrefix)
        return a.Compare(b);
    if (const int prefixOrder = left.substr(0, leftPrefix).compare(right.substr(0, rightPrefix)))
        return prefixOrder;
    return CompareNumbers(left.substr(leftPrefix), right.substr(rightPrefix));
}

int CBomFormat::EditOptions(CDocNetlist* /*walker*/) {
    return Installed<IBomOptionsUi>::Get().EditBomOptions() ? TRUE : FALSE;
}

BOOL CBomFormat::WriteHeader(CDocNetlist& /*walker*/, std::ostream& /*out*/,
                             std::ostream& /*log*/) {
    const CSchematicApp* app = GetApp();
    m_options = app ? CBomOptions::Load(app->Settings(), kBomSortNone) : CBomOptions();
    return TRUE;
}

int CBomFormat::PrepareSheet(CDocNetlist& walker, CNetNode& node, std::ostream& /*out*/,
                             std::ostream& log) {
    return PrepareCircuitSheet(walker, node, log, kCircuitCopyAttributes);
}

int CBomFormat::WriteBody(CDocNetlist& /*walker*/, CNetNode& topNode, std::ostream& out,
                          std::ostream& log) {
    if (!(m_options.flags & kBomGroup))
        m_options.flags &= ~kBomQuantity;
    WriteHeading(out);
    if (CNetlistCircuit* circuit = topNode.circuit) {
        circuit->Flatten(topNode, log);
        std::vector<Row> rows;
        rows.reserve(circuit->Parts().size());
        for (const auto& part : circuit->Parts()) {
            Row& row = rows.emplace_back();
            row.identifiers = part->id;
            row.fields[kKeyValue] = Attribute(*part, "_Value");
            row.fields[kKeyName] = Attribute(*part, "_Name");
            row.fields[kKeyDescription] = Attribute(*part, "_Desc");
            row.fields[kKeyCategory] = Attribute(*part, "_Cat");
        }
        if (m_options.flags & kBomGroup)
            Group(rows);
        std::vector<Key> keys;
        if (m_options.flags & kBomCategorise)
            keys.push_back(kKeyCategory);
        if (m_options.sortBy != kBomSortNone)
            keys.push_back(static_cast<Key>(m_options.sortBy - kBomSortIdentifier));
        Sort(rows, keys);
        WriteRows(rows, out);
        ReleaseCircuits(topNode);
    }
    out.flush();
    return out.good() ? 1 : 0;
}

void CBomFormat::WriteHeading(std::ostream& out) const {
    const DWORD flags = m_options.flags;
    if (flags & kBomIdentifier)
        out << "Identifier\t";
    if (flags & kBomQuantity)
        out << "Quantity\t";
    if (flags & kBomValue)
        out << "Value\t";
    if (flags & kBomName)
        out << "Name\t";
    if (flags & kBomDescription)
        out << "Description";
    out << "\n";
}

void CBomFormat::Group(std::vector<Row>& rows) const {
    std::vector<Key> keys;
    if (m_options.flags & kBomCategorise)
        keys.push_back(kKeyCategory);
    for (const auto& [bit, key] : {std::pair{kBomValue, kKeyValue}, std::pair{kBomName, kKeyName},
                                   std::pair{kBomDescription, kKeyDescription}}) {
        if (m_options.flags & bit)
            keys.push_back(key);
    }
    Sort(rows, keys);
    const auto alike = [&keys](const Row& a, const Row& b) {
        return std::all_of(keys.begin(), keys.end(),
                           [&](Key key) { return a.fields[key] == b.fields[key]; });
    };
    std::vector<Row> groups;
    for (Row& row : rows) {
        if (!groups.empty() && alike(groups.back(), row)) {
            groups.back().identifiers += "," + row.identifiers;
            ++groups.back().count;
        } else {
            groups.push_back(std::move(row));
        }
    }
    for (Row& group : groups) {
        if (group.count > 1)
            group.identifiers = IdentifierList(group.identifiers);
    }
    rows = std::move(groups);
}

CString CBomFormat::IdentifierList(const CString& identifiers) const {
    std::vector<CString> ids = SplitAtCommas(identifiers);
    std::stable_sort(ids.begin(), ids.end(), [](const CString& a, const CString& b) {
        return CompareIdentifiers(a, b) < 0;
    });
    const bool wrap = !(m_options.flags & kBomSpreadsheet);
    CString list = ids.front();
    int lineLength = list.GetLength();
    for (size_t i = 1; i < ids.size(); ++i) {
        list += ",";
        if (wrap && lineLength + 1 + ids[i].GetLength() > kWrapLength) {
            list += "\n";
            lineLength = ids[i].GetLength();
        } else {
            lineLength += 1 + ids[i].GetLength();
        }
        list += ids[i];
    }
    return list;
}

void CBomFormat::Sort(std::vector<Row>& rows, const std::vector<Key>& keys) {
    if (keys.empty())
        return;
    std::stable_sort(rows.begin(), rows.end(), [&keys](const Row& a, const Row& b) {
        for (Key key : keys) {
            const int order = key == kKeyIdentifier
                                  ? CompareIdentifiers(a.identifiers, b.identifiers)
                                  : a.fields[key].Compare(b.fields[key]);
            if (order != 0)
                return order < 0;
        }
        return false;
    });
}

void CBomFormat::WriteRows(const std::vector<Row>& rows, std::ostream& out) const {
    const DWORD flags = m_options.flags;
    const CString* category = nullptr;
    for (const Row& row : rows) {
        if (flags & kBomCategorise) {
            const CString& cat = row.fields[kKeyCategory];
            if (!category || *category != cat)
                out << "\n" << (cat.IsEmpty() ? CString("Miscellaneous") : cat) << "\n";
            category = &cat;
        }
        if (flags & kBomIdentifier)
            out << row.identifiers << "\t";
        if (flags & kBomQuantity)
            out << row.count << "\t";
        if (flags & kBomValue)
            out << row.fields[kKeyValue] << "\t";
        if (flags & kBomName)
            out << row.fields[kKeyName] << "\t";
        if (flags & kBomDescription)
            out << row.fields[kKeyDescription] << "\t";
        out << "\n";
    }
}
