#include "gui/dialogs/objects/TextPropertiesSheet.h"

#include "gui/dialogs/objects/DlgOutlineFill.h"
#include "gui/dialogs/objects/DlgTextFont.h"
#include "gui/dialogs/objects/DlgTextGeneral.h"
#include "model/app/SchematicApp.h"
#include "model/cmd/NamedEdit.h"
#include "model/object/DrawObj.h"
#include "model/text/TextBox.h"

bool EditTextProperties(CDrawDoc& doc, const CObList& texts, QWidget* parent) {
    if (texts.IsEmpty())
        return false;
    TextGeneralState generalState;
    generalState.Load(texts);
    TextFontState fontState;
    fontState.Load(texts);
    CObList targets;
    OutlineFillState outlineState;
    outlineState.Load(texts, CollectOutlineFillTargets(texts, targets));

    const CSchematicApp* app = GetApp();
    auto* general =
        new CDlgTextGeneral(generalState, app && (app->Options & kOptionMetric), nullptr);
    auto* font = new CDlgTextFont(fontState, nullptr);
    auto* outline = new CDlgOutlineFill("Outline and Fill", outlineState, nullptr);
    CPropertySheet sheet(
        texts.GetCount() > 1 ? "Text Properties (Multiple Selection)" : "Text Properties", parent);
    sheet.setObjectName("textProperties");
    sheet.AddPage(general);
    sheet.AddPage(font);
    sheet.AddPage(outline);
    if (sheet.exec() != QDialog::Accepted)
        return false;
    return ApplyNamedEdit(doc, texts, "text properties", [&](CDrawObj& copy) {
        if (copy.GetObjType() != kObjText)
            return;
        auto& text = static_cast<CTextBox&>(copy);
        if (general->IsApplied())
            general->State().ApplyTo(text);
        if (outline->IsApplied())
            outline->State().ApplyTo(text);
        if (font->IsApplied())
            font->State().ApplyTo(text);
    });
}
