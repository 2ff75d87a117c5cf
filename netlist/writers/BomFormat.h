#pragma once
// The bill of materials: a tab-separated list of the parts of the flattened design, one row
// per part or, with grouping, one row per group of parts alike in the shown columns, their
// identifiers listed and counted; optionally in categories (the parts' "_Cat") and sorted by
// a column. The options are the stored "BOM" settings (netlist/writers/BomOptions.h).

#include <vector>

#include "netlist/writers/BomOptions.h"
#include "netlist/writers/NetlistFormat.h"
#include "platform/CString.h"

// Orders part identifiers: a prefix and a trailing number, so that R2 comes before R10.
// Prefixes of different lengths compare as whole texts. Negative, 0 or positive.
int CompareIdentifiers(const CString& a, const CString& b);

class CBomFormat : public CNetlistFormat {
public:
    const char* GetName() const override { return "Bill of Materials"; }
    const char* GetExtension() const override { return "bom"; }
    int EditOptions(CDocNetlist* walker) override;
    BOOL HasOptions() const override { return TRUE; }
    // Reads the stored options; writes nothing.
    BOOL WriteHeader(CDocNetlist& walker, std::ostream& out, std::ostream& log) override;
    int PrepareSheet(CDocNetlist& walker, CNetNode& node, std::ostream& out,
                     std::ostream& log) override;
    int WriteBody(CDocNetlist& walker, CNetNode& topNode, std::ostream& out,
                  std::ostream& log) override;

private:
    // The columns of one row; the sort keys.
    enum Key { kKeyIdentifier, kKeyValue, kKeyName, kKeyDescription, kKeyCategory };
    struct Row {
        CString identifiers;
        int count = 1;
        CString fields[5];  // by Key; the identifier field is not used
    };

    void WriteHeading(std::ostream& out) const;
    // Merges rows alike in the shown columns (and the category, when categorising) into
    // their first row, with the identifiers listed in order.
    void Group(std::vector<Row>& rows) const;
    // The identifiers of a group in order, wrapped unless for a spreadsheet.
    CString IdentifierList(const CString& identifiers) const;
    void WriteRows(const std::vector<Row>& rows, std::ostream& out) const;
    static void Sort(std::vector<Row>& rows, const std::vector<Key>& keys);

    CBomOptions m_options;
};
