#include "gui/dialogs/objects/PinSheetDlg.h"

#include "gui/dialogs/objects/DlgOtherAttr.h"
#include "gui/dialogs/objects/DlgOutlineFill.h"
#include "gui/dialogs/objects/DlgPinProp.h"

bool CPinSheetRunner::RunPinSheet(PinSheet& sheet) {
    const bool multiple = sheet.pins.size() > 1;
    CPropertySheet dialog(multiple ? "Pin Properties (Multiple Selection)" : "Pin Properties",
                          m_parent);
    dialog.setObjectName("pinSheet");
    auto* settings = new CDlgPinProp(sheet.settings, sheet.checkName);
    auto* style = new CDlgOutlineFill("Line Style", sheet.style, nullptr);
    auto* attributes = new CDlgOtherAttr("Other Attributes", sheet.attributes, 1, nullptr);
    attributes->SetCheck(sheet.check);
    dialog.AddPage(settings);
    dialog.AddPage(style);
    dialog.AddPage(attributes);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    sheet.settings = settings->Form();
    if (style->IsApplied())
        sheet.style = style->State();
    sheet.attributes = attributes->Merge();
    return true;
}
