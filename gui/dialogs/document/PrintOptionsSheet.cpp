#include "gui/dialogs/document/PrintOptionsSheet.h"

#include "gui/dialogs/document/DlgPrintScale.h"
#include "model/cmd/DocSettingsApply.h"
#include "model/doc/DrawDoc.h"

CPrintOptionsSheet::CPrintOptionsSheet(CPrintSettings& settings, CPrinterChoice& printer,
                                       PrinterSetupRunner setup, QWidget* parent)
    : CPropertySheet("Print Options", parent),
      m_page(new CDlgPrintScale(settings, printer, std::move(setup))) {
    setObjectName("printOptionsSheet");
    AddPage(m_page);
}

void EditPrintOptions(CDrawDoc& doc, QWidget* parent, PrinterSetupRunner setup) {
    doc.ValidatePrinter();
    DocSettings settings = DocSettings::Of(doc);
    CPrinterChoice printer = doc.m_printer;
    CPrintOptionsSheet sheet(settings.printSettings, printer, std::move(setup), parent);
    if (sheet.exec() == QDialog::Accepted)
        ApplyPrintOptions(doc, settings);
    KeepPrinterChoice(doc, printer);
}

void KeepPrinterChoice(CDrawDoc& doc, const CPrinterChoice& printer) {
    if (printer.devNames != doc.m_printer.devNames || printer.devMode != doc.m_printer.devMode) {
        doc.m_printer = printer;
        doc.SetModifiedFlag();
    }
}
