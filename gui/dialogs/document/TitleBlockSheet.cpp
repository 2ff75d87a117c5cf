#include "gui/dialogs/document/TitleBlockSheet.h"

#include "gui/dialogs/document/DlgTitleBlock.h"
#include "model/doc/DrawDoc.h"
#include "model/doc/TitleBlockInsert.h"

void InsertTitleBlock(CDrawDoc& doc, QWidget* parent) {
    CPropertySheet sheet("Insert Title Block", parent);
    sheet.setObjectName("insertTitleBlockSheet");
    auto* page = new CDlgTitleBlock;
    sheet.AddPage(page);
    if (sheet.exec() != QDialog::Accepted)
        return;
    if (InsertTitleBlockLayout(doc, page->Layout()))
        doc.UpdateAllViews(nullptr, 0);
}
