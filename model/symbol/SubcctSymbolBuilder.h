#pragma once
// Builds the sub-circuit block symbol of the sub-circuit wizard from its signals: a body with
// a pin for each signal on its side, in the "Ports Shown" style a port outline at each pin.

#include <vector>

#include "platform/CString.h"
#include "platform/GdiTypes.h"

class CSymbol;

struct SubcctSignal {
    CString name;
    DWORD word;  // SubcctLayout.h
};

enum SubcctStyle { kSubcctSimple = 0, kSubcctPortsShown = 1 };

// The body's colours: a colour, or one of these.
constexpr COLORREF kSubcctAutoColour = 0xFFFFFFFF;  // no colour of its own
constexpr COLORREF kSubcctNoColour = 0xFFFFFFFE;    // no outline or no fill at all

struct SubcctLook {
    int style = kSubcctPortsShown;
    COLORREF outline = 0xFF0000;
    COLORREF fill = 0xB0FFFF;
};

// A new symbol for signals in list order. With a sheet path the symbol refers to that
// schematic and is named by its title.
CSymbol* BuildSubcctSymbol(const std::vector<SubcctSignal>& signalList, const SubcctLook& look,
                           const CString& sheetPath = {}, const CString& sheetTitle = {});
