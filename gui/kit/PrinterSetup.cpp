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
    const std::string name =
        printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName().toStdString() : "";
    const bool isDefault =
        !name.empty() && QPrinterInfo::defaultPrinterName() == printer.printerName();
    const QPageLayout layout = printer.pageLayout();
    const short orientation =
        layout.orientation() == QPageLayout::Landscape ? kLandscape : kPortrait;
    return MakePrinterChoice(name, isDefault, orientation, short(layout.pageSize().windowsId()));
}

bool RunPrinterSetup(CPrinterChoice& choice, QWidget* parent) {
    CPrinterChoice copy = choice;
    const std::string stored = ReadPrinterFields(copy).deviceName;
    if (!stored.empty() && !PrinterExists(stored))
        copy.Clear();
    QPrinter printer(QPrinter::HighResolution);
    ApplyPrinterChoice(copy, printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle("Print Setup");
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    NameOkButton(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = PrinterChoiceOf(printer);
    return true;
}
