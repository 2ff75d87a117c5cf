#include "gui/dialogs/document/TitleBlockSheet.h"

#include "gui/dialogs/document/DlgTitleBlock.h"
#include "model/doc/DrawDoc.h"
#include "model/doc/TitleBlockInsert.h"
#include "platform/ObList.h"

void InsertTitleBlock(CDrawDoc& doc, QWidget* parent) {
    CPropertySheet sheet("Insert Title Block", parent);
    sheet.setObjectName("insertTitleBlockSheet");
    auto* page = new CDlgTitleBlock;
    sheet.AddPage(page);
    if (sheet.exec() != QDialog::Accepted)
        return;
    CRect block;
    doc.GetTitleBlockRect(block);
    CObList fields;
    page->Layout().CreateFieldObjects(block, &doc, fields);
    if (InsertTitleBlockFields(doc, block, fields))
        doc.UpdateAllViews(nullptr, 0);
}
