#include "dialogs/document/PrintOptionsSheet.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/document/DlgPrintScale.h"
#include "model/cmd/DocSettingsCmd.h"
#include "model/doc/DrawDoc.h"

CPrintOptionsSheet::CPrintOptionsSheet(CPrintSettings& settings, CPrinterChoice& printer,
                                       PrinterSetupRunner setup, QWidget* parent)
    : QDialog(parent), m_page(new CDlgPrintScale(settings, printer, std::move(setup))) {
    setObjectName("printOptionsSheet");
    setWindowTitle("Print Options");
    auto* tabs = new QTabWidget;
    tabs->addTab(m_page, m_page->windowTitle());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

void CPrintOptionsSheet::accept() {
    if (m_page->OnOK())
        QDialog::accept();
}

void EditPrintOptions(CDrawDoc& doc, QWidget* parent, PrinterSetupRunner setup) {
    doc.ValidatePrinter();
    DocSettings settings = DocSettings::Of(doc);
    CPrinterChoice printer = doc.m_printer;
    CPrintOptionsSheet sheet(settings.printSettings, printer, std::move(setup), parent);
    if (sheet.exec() == QDialog::Accepted)
        doc.GetUndoList().Execute(new CDocSettingsCmd(settings, TRUE));
    doc.m_printer = printer;
}
