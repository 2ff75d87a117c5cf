#include "netlist/writers/BomOptions.h"

#include <array>

#include "platform/SettingsStore.h"

namespace {

constexpr const char* kSection = "BOM";

struct OptionKey {
    const char* entry;
    DWORD bit;
};

// The stored options that are bits of the flag word.
constexpr std::array<OptionKey, 8> kOptionKeys{{
    {"Identifiers", kBomIdentifier},
    {"Quantity", kBomQuantity},
    {"Value", kBomValue},
    {"Name", kBomName},
    {"Description", kBomDescription},
    {"Format", kBomSpreadsheet},
    {"Group", kBomGroup},
    {"Categorise", kBomCategorise},
}};

}  // namespace

CBomOptions CBomOptions::Load(const SettingsStore& store, int defaultSortBy) {
    const CBomOptions defaults;
    CBomOptions options;
    options.flags = 0;
    for (const OptionKey& key : kOptionKeys) {
        const int fallback = (defaults.flags & key.bit) ? 1 : 0;
        if (store.GetProfileInt(kSection, key.entry, fallback) == 1)
            options.flags |= key.bit;
    }
    const UINT sortBy = store.GetProfileInt(kSection, "SortBy", defaultSortBy);
    options.sortBy = sortBy <= kBomSortDescription ? static_cast<int>(sortBy) : kBomSortNone;
    return options;
}

void CBomOptions::Save(SettingsStore& store) const {
    for (const OptionKey& key : kOptionKeys)
        store.WriteProfileInt(kSection, key.entry, (flags & key.bit) ? 1 : 0);
    store.WriteProfileInt(kSection, "SortBy", sortBy);
}
