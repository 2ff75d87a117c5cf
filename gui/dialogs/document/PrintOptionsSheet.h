#pragma once
// The "Print Options" sheet of the print set-up: the "Position and Scaling" page over a
// document's print settings and printer.

#include "gui/kit/PrinterSetup.h"
#include "gui/kit/PropertySheet.h"

class CDlgPrintScale;
class CDrawDoc;
class CPrintSettings;

class CPrintOptionsSheet : public CPropertySheet {
    Q_OBJECT
public:
    CPrintOptionsSheet(CPrintSettings& settings, CPrinterChoice& printer, PrinterSetupRunner setup,
                       QWidget* parent = nullptr);

    CDlgPrintScale* page() const { return m_page; }

private:
    CDlgPrintScale* m_page;
};

// The document's print set-up: an unusable stored printer is dropped, the sheet runs on a
// copy of the document's settings, and OK records changed ones as one "print options" step. The
// printer chosen in the sheet stays with the document even when the sheet is cancelled, and a
// changed printer marks the document modified.
void EditPrintOptions(CDrawDoc& doc, QWidget* parent, PrinterSetupRunner setup = RunPrinterSetup);

// Gives the document the printer chosen in a sheet, OK or Cancel. The choice is not undoable,
// so a changed one marks the document modified, to be saved.
void KeepPrinterChoice(CDrawDoc& doc, const CPrinterChoice& printer);
