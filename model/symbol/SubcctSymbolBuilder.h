#pragma once
// Builds the sub-circuit block symbol of the sub-circuit wizard from its signals: a body with
// a pin for each signal on its side, in the "Ports Shown" style a port outline at each pin.

#include <vector>

#include "model/symbol/SubcctLook.h"
#include "platform/CString.h"

class CSymbol;

struct SubcctSignal {
    CString name;
    DWORD word;  // SubcctLayout.h
};

// A new symbol for signals in list order. With a sheet path the symbol refers to that
// schematic and is named by its title.
CSymbol* BuildSubcctSymbol(const std::vector<SubcctSignal>& signalList, const SubcctLook& look,
                           const CString& sheetPath = {}, const CString& sheetTitle = {});
