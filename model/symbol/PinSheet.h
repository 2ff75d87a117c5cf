#pragma once
// The "Pin Properties" sheet without its window: the selected pins are loaded into its three
// pages (the pin page, the outline style and the other attributes), and OK writes them into
// copies of the pins that take their places as one "pin properties" step. The window comes
// through the installed IPinSheetRunner; tests script one.

#include <vector>

#include "model/object/AttrMerge.h"
#include "model/object/OutlineFillState.h"
#include "model/symbol/PinPropForm.h"
#include "platform/Installed.h"

class CDrawDoc;
class CPin;
class IDocView;

// What the sheet is run over and what its pages wrote.
struct PinSheet {
    std::vector<CPin*> pins;
    PinPropForm settings;              // the pin page
    PinPropForm::NameCheck checkName;  // the first pin's check of a name
    OutlineFillState style;            // written only where edited
    CAttrMerge attributes;             // every attribute of the pins but "_ID"
    AttrCheck check;                   // the attribute page's refusals

    static PinSheet Load(const std::vector<CPin*>& pins);
};

class IPinSheetRunner {
public:
    virtual ~IPinSheetRunner() = default;
    // Runs the sheet; true for OK, with the sheet holding what the pages wrote.
    virtual bool RunPinSheet(PinSheet& sheet) = 0;
};

// Without an installed runner every sheet is cancelled.
template <>
IPinSheetRunner& Installed<IPinSheetRunner>::Fallback();

inline IPinSheetRunner* SetPinSheetRunner(IPinSheetRunner* runner) {
    return Installed<IPinSheetRunner>::Install(runner);
}

// The sheet run from a view on the pins of its selection; the selection comes back on Cancel.
void EditPinProperties(IDocView& view, CDrawDoc& doc);
// OK of the sheet over its pins; a sheet that changes no pin adds no step. FALSE, changing
// nothing, when the pins cannot be copied.
BOOL ApplyPinSheet(CDrawDoc& doc, const PinSheet& sheet);
