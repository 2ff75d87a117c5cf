#pragma once
// Printing a schematic file named on the command line ("/p file", "/pt file printer driver
// port"): no window opens; the sheet goes to the printer named, else to the document's own
// printer, else to the default printer.

#include <string>

class QPrinter;

enum class DirectPrint { kPrinted, kFileUnreadable, kNoPrinter, kUnprintable };

// Prints through printer, which the caller made (one writing to a file stays one);
// printerName, when not empty, must name an installed printer.
DirectPrint PrintFileDirect(const std::string& path, const std::string& printerName,
                            QPrinter& printer);
// The message for a print that failed; empty when there is none to give (a file that cannot
// be read was reported as it was opened).
std::string DirectPrintProblem(DirectPrint result, const std::string& printerName);
