#pragma once
// The "Pin Properties" sheet without its window: the selected pins are loaded into the pin
// page's form, and OK writes it into copies of the pins that take their places as one
// "pin properties" step. The window comes through the installed IPinSheetRunner; tests script
// one.

#include <vector>

#include "model/symbol/PinPropForm.h"
#include "platform/Installed.h"

class CDrawDoc;
class CPin;
class IDocView;

class IPinSheetRunner {
public:
    virtual ~IPinSheetRunner() = default;
    // Runs the sheet over the pins; true for OK, with form holding what the page wrote.
    virtual bool RunPinSheet(PinPropForm& form, const PinPropForm::NameCheck& checkName) = 0;
};

// Without an installed runner every sheet is cancelled.
template <>
IPinSheetRunner& Installed<IPinSheetRunner>::Fallback();

inline IPinSheetRunner* SetPinSheetRunner(IPinSheetRunner* runner) {
    return Installed<IPinSheetRunner>::Install(runner);
}

// The sheet run from a view on the pins of its selection; the selection comes back on Cancel.
void EditPinProperties(IDocView& view, CDrawDoc& doc);
// OK of the sheet; a form that changes no pin adds no step. FALSE, changing nothing, when the
// pins cannot be copied.
BOOL ApplyPinSheet(CDrawDoc& doc, const std::vector<CPin*>& pins, const PinPropForm& form);
