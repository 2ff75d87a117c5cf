#pragma once
// What the "Snap Grid Settings" sheet shows and changes: the grid's spacing, units, colour and
// visibility, and the application's snap options split into their boxes. Applying it keeps
// every option bit that the sheet has no box for.

#include <array>
#include <vector>

#include "platform/CString.h"
#include "platform/GdiTypes.h"

class CSnapGrid;

constexpr DWORD kSnapToGuides = 0x40000000;
constexpr DWORD kDynamicResizing = 0x80000000;

struct SnapObjectBox {
    const char* label;
    DWORD bit;
};
// The boxes of the "Snap To Objects" page.
extern const std::array<SnapObjectBox, 13> kSnapObjectBoxes;

struct SnapGridSettings {
    float spaceX = 0.1f;
    float spaceY = 0.1f;
    bool independent = false;  // the vertical spacing is its own
    bool metric = false;
    bool shown = true;
    COLORREF colour = 0;
    bool snapToGrid = false;
    bool snapToObjects = false;  // any object kind
    bool snapToObjectsAtOpen = false;
    bool snapToGuides = false;
    bool dynamicResizing = false;
    DWORD objectBits = 0;  // the bits of kSnapObjectBoxes that are ticked

    static SnapGridSettings From(const CSnapGrid& grid, DWORD options);
    // A spacing not above 0 is refused.
    bool Valid() const;
    // Sets the grid's fields and returns the new options. Unticking Snap To Objects clears
    // every object bit; ticking it with no box ticked turns all of them on; left as it was,
    // it changes nothing.
    DWORD ApplyTo(CSnapGrid& grid, DWORD options) const;
};

struct SpacingPreset {
    CString label;  // "%g inch" or "%g cm"
    float value;
};
std::vector<SpacingPreset> SpacingPresets(bool metric);
