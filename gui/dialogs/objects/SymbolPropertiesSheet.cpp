#include "gui/dialogs/objects/SymbolPropertiesSheet.h"

#include "gui/dialogs/device/DlgDevGeneral.h"
#include "gui/dialogs/objects/DlgOtherAttr.h"

int CSymbolSheetRunner::RunSymbolSheet(SymbolSheet& sheet) {
    const bool multiple = sheet.symbols.size() > 1;
    CPropertySheet dialog(multiple ? "Symbol Properties (Multiple Selection)" : "Symbol Properties",
                          m_parent);
    dialog.setObjectName("symbolSheet");
    auto* general = new CDlgDevGeneral(*sheet.doc, sheet.symbols, sheet.devices);
    auto* attributes = new CDlgOtherAttr("Other Attributes", sheet.attributes, 0, nullptr);
    attributes->SetCheck(sheet.check);
    dialog.AddPage(general);
    dialog.AddPage(attributes);
    const int end = dialog.exec();
    if (end != QDialog::Accepted && end != CDlgDevGeneral::kNewSubcircuit)
        return 0;
    sheet.general = general->Form();
    sheet.generalDevice = Ref<CDevice>(sheet.general.device);
    sheet.attributes = attributes->Merge();
    return end == QDialog::Accepted ? kSymbolSheetOK : kSymbolSheetNewSubcircuit;
}
