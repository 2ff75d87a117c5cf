#include "gui/dialogs/objects/PinSheetDlg.h"

#include "gui/dialogs/objects/DlgPinProp.h"

bool CPinSheetRunner::RunPinSheet(PinPropForm& form, const PinPropForm::NameCheck& checkName) {
    auto* page = new CDlgPinProp(form, checkName);
    CPropertySheet sheet("Pin Properties", m_parent);
    sheet.setObjectName("pinSheet");
    sheet.AddPage(page);
    if (sheet.exec() != QDialog::Accepted)
        return false;
    form = page->Form();
    return true;
}
