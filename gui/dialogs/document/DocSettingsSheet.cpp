#include "gui/dialogs/document/DocSettingsSheet.h"

#include <QCheckBox>

#include "gui/dialogs/document/DlgDocGeneral.h"
#include "gui/dialogs/document/DlgFrame.h"
#include "gui/dialogs/document/DlgPageMargins.h"
#include "gui/dialogs/document/DlgPrintScale.h"
#include "gui/dialogs/document/DlgSheetSize.h"
#include "gui/dialogs/document/PrintOptionsSheet.h"
#include "gui/dialogs/objects/DlgOtherAttr.h"
#include "gui/kit/ColourPickerDlg.h"
#include "model/app/SchematicApp.h"
#include "model/cmd/DocSettingsApply.h"
#include "model/doc/DrawDoc.h"
#include "model/net/WireRails.h"
#include "platform/UserPrompt.h"

CDocSettingsSheet::CDocSettingsSheet(DocSettings& settings, CPrinterChoice& printer,
                                     const CAttrMerge& attributes, bool metric,
                                     PrinterSetupRunner setup, QWidget* parent)
    : CPropertySheet("Document Properties", parent),
      m_attributes(new CDlgOtherAttr("Attributes", attributes, 0, nullptr)),
      m_saveAsDefault(new QCheckBox("Save as Default Setttings", this)) {
    setObjectName("docSettingsSheet");
    m_saveAsDefault->setObjectName("saveAsDefault");
    AddToButtonRow(m_saveAsDefault);
    AddPage(new CDlgDocGeneral(settings, nullptr));
    AddPage(new CDlgSheetSize(settings.paperSize, metric));
    AddPage(new CDlgPageMargins(settings.margins));
    AddPage(new CDlgFrame(settings.border, settings.paperSize, metric, AskColour));
    AddPage(m_attributes);
    AddPage(new CDlgPrintScale(settings.printSettings, printer, std::move(setup)));
}

void CDocSettingsSheet::accept() {
    m_bSaveAsDefault = m_saveAsDefault->isChecked();
    CPropertySheet::accept();
}

bool CDocSettingsSheet::MayClose() {
    const CString refused = m_refusal ? m_refusal(m_attributes->Merge()) : CString();
    if (refused.IsEmpty())
        return true;
    AfxMessageBox(refused, MB_OK | MB_ICONEXCLAMATION);
    for (int i = 0; i < PageCount(); ++i) {
        if (Page(i) == m_attributes)
            SetCurrentPage(i);
    }
    return false;
}

void EditDocumentSettings(CDrawDoc& doc, QWidget* parent, PrinterSetupRunner setup) {
    doc.ValidatePrinter();
    DocSettings settings = DocSettings::Of(doc);
    CPrinterChoice printer = doc.m_printer;
    CAttrMerge attributes;
    LoadDocAttributes(doc, attributes);
    CSchematicApp* app = GetApp();
    CDocSettingsSheet sheet(settings, printer, attributes, app && (app->Options & kOptionMetric),
                            std::move(setup), parent);
    sheet.SetAttributeRefusal([&doc](const CAttrMerge& merge) {
        const DocAttributeEdits edits = DocAttributeEdits::FromRecords(doc, merge);
        return RailNameClash(doc, edits.values, edits.removed);
    });
    const bool ok = sheet.exec() == QDialog::Accepted;
    KeepPrinterChoice(doc, printer);
    if (!ok)
        return;
    const DocAttributeEdits edits =
        DocAttributeEdits::FromRecords(doc, sheet.attributesPage()->Merge());
    if (!ApplyDocumentSettings(doc, settings, edits))
        return;
    if (sheet.SaveAsDefault() && app)
        doc.SaveDefaultSettings(app->Settings());
}
