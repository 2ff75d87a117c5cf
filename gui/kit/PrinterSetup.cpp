#include "gui/kit/PrinterSetup.h"

#include <QDialogButtonBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include "model/doc/PrinterRecords.h"

namespace {

bool PrinterExists(const std::string& name) {
    return !QPrinterInfo::printerInfo(QString::fromStdString(name)).isNull();
}

bool PrintsToFile(const PrinterFields& fields) {
    return fields.deviceName.empty() && !fields.outputName.empty();
}

// A set-up ends with OK, not with printing.
void NameOkButton(QPrintDialog& dialog) {
    for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>()) {
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
            ok->setText("OK");
    }
}

}  // namespace

void ApplyPrinterChoice(const CPrinterChoice& choice, QPrinter& printer) {
    const PrinterFields fields = ReadPrinterFields(choice);
    if (!fields.deviceName.empty() && PrinterExists(fields.deviceName))
        printer.setPrinterName(QString::fromStdString(fields.deviceName));
    if (PrintsToFile(fields)) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(fields.outputName));
    }
    if (fields.orientation)
        printer.setPageOrientation(*fields.orientation == kLandscape ? QPageLayout::Landscape
                                                                     : QPageLayout::Portrait);
    if (fields.paperSize) {
        const QPageSize::PageSizeId id = QPageSize::id(*fields.paperSize);
        if (id != QPageSize::Custom)
            printer.setPageSize(QPageSize(id));
    }
}

CPrinterChoice PrinterChoiceOf(const QPrinter& printer) {
    const bool native = printer.outputFormat() == QPrinter::NativeFormat;
    const std::string name = native ? printer.printerName().toStdString() : "";
    const std::string output = native ? "" : printer.outputFileName().toStdString();
    const bool isDefault =
        !name.empty() && QPrinterInfo::defaultPrinterName() == printer.printerName();
    const QPageLayout layout = printer.pageLayout();
    const short orientation =
        layout.orientation() == QPageLayout::Landscape ? kLandscape : kPortrait;
    return MakePrinterChoice(name, isDefault, orientation, short(layout.pageSize().windowsId()),
                             output);
}

bool IsPrinterChoiceUsable(const CPrinterChoice& choice) {
    const PrinterFields fields = ReadPrinterFields(choice);
    return PrintsToFile(fields) || (!fields.deviceName.empty() && PrinterExists(fields.deviceName));
}

bool RunPrinterSetup(CPrinterChoice& choice, QWidget* parent) {
    CPrinterChoice copy = choice;
    if (!IsPrinterChoiceUsable(copy))
        copy.Clear();
    QPrinter printer(QPrinter::HighResolution);
    ApplyPrinterChoice(copy, printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle("Print Setup");
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    NameOkButton(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = PrinterChoiceOf(printer);
    return true;
}
