#include "shell/app/CommandLinePrint.h"

#include <QPrinter>
#include <QPrinterInfo>

#include "gui/kit/PrinterSetup.h"
#include "model/doc/DrawDoc.h"
#include "shell/view/SheetPrinter.h"

DirectPrint PrintFileDirect(const std::string& path, const std::string& printerName,
                            QPrinter& printer) {
    CDrawDoc doc;
    if (!doc.OnOpenDocument(path.c_str()))
        return DirectPrint::kFileUnreadable;
    if (printerName.empty())
        ApplyPrinterChoice(doc.m_printer, printer);
    // A printer writing to a file needs no printer of the system.
    if (printer.outputFileName().isEmpty()) {
        const QString name = QString::fromStdString(printerName);
        if (!name.isEmpty() && QPrinterInfo::printerInfo(name).isNull())
            return DirectPrint::kNoPrinter;
        if (!name.isEmpty())
            printer.setPrinterName(name);
        if (printer.printerName().isEmpty())
            return DirectPrint::kNoPrinter;
    }
    return PrintSheet(doc, printer, false) ? DirectPrint::kPrinted : DirectPrint::kUnprintable;
}

std::string DirectPrintProblem(DirectPrint result, const std::string& printerName) {
    switch (result) {
        case DirectPrint::kNoPrinter:
            return printerName.empty()
                       ? "Cannot print: no printer is installed."
                       : "Cannot print: there is no printer \"" + printerName + "\".";
        case DirectPrint::kUnprintable:
            return "This sheet cannot be printed on this printer.";
        case DirectPrint::kFileUnreadable:  // the document said why
        case DirectPrint::kPrinted:
            break;
    }
    return {};
}
