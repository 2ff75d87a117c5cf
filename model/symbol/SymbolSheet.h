#pragma once
// The "Symbol Properties" sheet without its window: the selected symbols are replaced by
// copies under a "symbol properties" step, the sheet edits the copies (its General page may
// change them while it is open), and OK writes both pages into them; Cancel takes the step
// back, and so does an OK that changed nothing. Attribute texts shown or hidden by the sheet
// join the same step. The window comes
// through the installed ISymbolSheetRunner; tests script one.

#include <vector>

#include "model/cmd/Ref.h"
#include "model/device/Device.h"
#include "model/object/AttrMerge.h"
#include "model/symbol/DevGeneralForm.h"
#include "platform/Installed.h"

class CDrawDoc;
class CSymbol;
class IDocView;

// End codes of the sheet besides Cancel (0) and OK.
constexpr int kSymbolSheetOK = 1;
constexpr int kSymbolSheetNewSubcircuit = 214;

// What the sheet is run over and what its pages wrote.
struct SymbolSheet {
    CDrawDoc* doc = nullptr;
    std::vector<CSymbol*> symbols;  // the copies standing in the document
    std::vector<CDevice*> devices;  // those used in the document
    DevGeneralForm general;         // written by the General page on OK
    // Keeps the General page's device until it is applied: a device the page made or took
    // from the libraries has no other holder once the window has gone.
    Ref<CDevice> generalDevice;
    CAttrMerge attributes;  // every attribute but those of the General page
    AttrCheck check;        // the attribute page's refusals

    static SymbolSheet Load(CDrawDoc& doc, const std::vector<CSymbol*>& symbols);
};

class ISymbolSheetRunner {
public:
    virtual ~ISymbolSheetRunner() = default;
    // Runs the sheet; 0 for Cancel, kSymbolSheetOK or kSymbolSheetNewSubcircuit.
    virtual int RunSymbolSheet(SymbolSheet& sheet) = 0;
};

// Without an installed runner every sheet is cancelled.
template <>
ISymbolSheetRunner& Installed<ISymbolSheetRunner>::Fallback();

inline ISymbolSheetRunner* SetSymbolSheetRunner(ISymbolSheetRunner* runner) {
    return Installed<ISymbolSheetRunner>::Install(runner);
}

// The sheet run from a view on the symbols of its selection.
void EditSymbolProperties(IDocView& view, CDrawDoc& doc);
// Writes the pages into the copies; shown and hidden texts are collected for the step.
void ApplySymbolSheet(const SymbolSheet& sheet, CObList& shown, CObList& removed);
