#pragma once
// The options of the bill of materials, kept in the "BOM" settings: which columns are shown,
// how the identifier lists are laid out, whether similar parts are grouped and sorted into
// categories, and the column the rows are sorted by. A stored option counts as on only when
// its value is exactly 1.

#include "platform/Installed.h"
#include "platform/Types.h"

class SettingsStore;

// Bits of CBomOptions::flags.
constexpr DWORD kBomIdentifier = 0x01;   // Identifier column
constexpr DWORD kBomQuantity = 0x02;     // Quantity column (only with grouping)
constexpr DWORD kBomValue = 0x04;        // Value column
constexpr DWORD kBomName = 0x08;         // Name column
constexpr DWORD kBomDescription = 0x10;  // Description column
constexpr DWORD kBomSpreadsheet = 0x20;  // identifier lists on one line, not wrapped for reading
constexpr DWORD kBomGroup = 0x40;        // one row per group of similar parts
constexpr DWORD kBomCategorise = 0x80;   // rows sorted into categories

// The column the rows are sorted by.
enum BomSortBy : int {
    kBomSortNone = 0,
    kBomSortIdentifier,
    kBomSortValue,
    kBomSortName,
    kBomSortDescription,
};

struct CBomOptions {
    // Every column, grouped and categorised, lists wrapped for reading, not sorted.
    DWORD flags = kBomIdentifier | kBomQuantity | kBomValue | kBomName | kBomDescription |
                  kBomGroup | kBomCategorise;
    int sortBy = kBomSortNone;

    // The stored options; missing ones take the defaults above, the sort choice defaultSortBy.
    // A stored sort choice out of range means no sort.
    static CBomOptions Load(const SettingsStore& store, int defaultSortBy);
    // Writes all nine values.
    void Save(SettingsStore& store) const;
};

// The window that edits the stored options, installed by the application. Without it
// nothing is shown and nothing changes.
class IBomOptionsUi {
public:
    virtual ~IBomOptionsUi() = default;
    // Shows the "Bill of Materials" sheet; whether it was closed with OK.
    virtual bool EditBomOptions() { return false; }
};
