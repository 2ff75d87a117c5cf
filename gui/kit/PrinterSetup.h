#pragma once
// A document's printer records (CPrinterChoice) on Qt's printer: a printer is set up from
// them before printing, and the choice made in a print dialog becomes new records. A record
// naming a printer this system does not have leaves the default printer.

#include <functional>

#include "model/doc/PrinterChoice.h"

class QPrinter;
class QWidget;

void ApplyPrinterChoice(const CPrinterChoice& choice, QPrinter& printer);
CPrinterChoice PrinterChoiceOf(const QPrinter& printer);

// The print set-up dialog on a copy of choice: a printer that no longer exists is dropped
// first and the dialog opens on the default printer. On OK choice takes the printer chosen.
bool RunPrinterSetup(CPrinterChoice& choice, QWidget* parent);
using PrinterSetupRunner = std::function<bool(CPrinterChoice&, QWidget*)>;
