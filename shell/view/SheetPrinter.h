#pragma once
// Prints a schematic sheet through Qt's printer (paper, a PDF file or the print preview): the
// pages of its print layout, each showing its tile of the drawing area with the sheet border.

#include <optional>

#include "shell/view/PrintLayout.h"

class CDrawDoc;
class QPrinter;

PrinterMetrics MetricsOf(const QPrinter& printer);
// The layout for printer, or null when the sheet cannot be printed on it.
std::optional<PrintLayout> SheetLayout(const CDrawDoc& document, const QPrinter& printer);

// Prints pages first .. last (0 for all); a real print (not a preview) is recorded in the
// document's summary. False, with nothing printed, when the sheet cannot be printed there.
bool PrintSheet(CDrawDoc& document, QPrinter& printer, bool preview, int first = 0, int last = 0);
