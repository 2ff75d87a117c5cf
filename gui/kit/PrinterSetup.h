#pragma once
// A document's printer records (CPrinterChoice) on Qt's printer: a printer is set up from
// them before printing, and the choice made in a print dialog becomes new records. A record
// naming a printer this system does not have leaves the default printer; one naming no
// printer but an output file prints to that PDF file.

#include <functional>

#include "model/doc/PrinterChoice.h"

class QPrinter;
class QWidget;

void ApplyPrinterChoice(const CPrinterChoice& choice, QPrinter& printer);
CPrinterChoice PrinterChoiceOf(const QPrinter& printer);
// Whether the records name a printer of this system or a PDF file to print to.
bool IsPrinterChoiceUsable(const CPrinterChoice& choice);

// The print set-up dialog, with its paper size and orientation, on a copy of choice: an
// unusable choice is dropped first and the dialog opens on the default printer. On OK choice
// takes the printer, output file and paper chosen.
bool RunPrinterSetup(CPrinterChoice& choice, QWidget* parent);
using PrinterSetupRunner = std::function<bool(CPrinterChoice&, QWidget*)>;
