#include "gui/dialogs/objects/ObjectPropertiesSheet.h"

#include "gui/dialogs/objects/DlgOutlineFill.h"
#include "model/cmd/NamedEdit.h"

bool EditObjectProperties(CDrawDoc& doc, const CObList& objects, DWORD kinds, QWidget* parent) {
    if (objects.IsEmpty())
        return false;
    OutlineFillState state;
    state.Load(objects, kinds);
    CPropertySheet sheet(
        state.multiple ? "Object Properties (Multiple Selection)" : "Object Properties", parent);
    sheet.setObjectName("objectProperties");
    auto* page = new CDlgOutlineFill("Outline and Fill", state, nullptr);
    sheet.AddPage(page);
    if (sheet.exec() != QDialog::Accepted || !page->IsApplied() || !page->State().IsEdited())
        return false;
    const OutlineFillState& edited = page->State();
    return ApplyNamedEdit(doc, objects, "object properties",
                          [&edited](CDrawObj& copy) { edited.ApplyTo(copy); });
}
