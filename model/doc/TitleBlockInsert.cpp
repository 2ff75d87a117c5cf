#include "model/doc/TitleBlockInsert.h"

#include <cstdlib>

#include "model/cmd/AddCmd.h"
#include "model/cmd/RemoveCmd.h"
#include "model/doc/DrawDoc.h"
#include "model/doc/TitleBlockLayout.h"
#include "model/object/DrawObj.h"
#include "model/text/AttrText.h"
#include "model/undo/MultiCmd.h"
#include "platform/ObList.h"

namespace {

bool Inside(const CRect& block, const CRect& position) {
    CRect outer = block;
    CRect inner = position;
    outer.NormalizeRect();
    inner.NormalizeRect();
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

// Collects the document's attribute texts in the document's objects that lie inside block.
void CollectBlockTexts(CDrawDoc& doc, const CRect& block, CObList& texts) {
    CObList* bound = doc.GetAttrTextList();
    for (POSITION pos = bound->GetHeadPosition(); pos;) {
        auto* text = static_cast<CAttrText*>(bound->GetNext(pos));
        if (doc.GetObjects().Find(text) && Inside(block, text->GetPosition()))
            texts.AddTail(text);
    }
}

void BindToDocument(CDrawDoc& doc, CAttrText& text) {
    FitTitleBlockText(text, std::abs(text.GetPosition().Height()), doc.m_textFont);
    CObList* bound = doc.GetAttrTextList();
    if (!bound->Find(&text))
        bound->AddTail(&text);
    text.SetDocument(&doc);
    text.UpdateText(FALSE);
}

}  // namespace

int TitleBlockTextHeight(const LOGFONT& font) {
    return MulDiv(std::abs(static_cast<int>(font.lfHeight)), 100, 72);
}

void FitTitleBlockText(CTextBox& text, LONG cellHeight, const LOGFONT& font) {
    const int height = TitleBlockTextHeight(font);
    text.SetTextFlags(kAttrStyleTitleBlock, 0xE0);
    if (cellHeight >= 2 * height + 2) {
        text.SetTextFlags(kTextMultiLine, kTextMultiLine);
        text.SetBorders(250, height + 6, 250, 5);
    } else {
        text.SetTextFlags(0, kTextMultiLine);
        text.SetBorders(750, 5, 5, 5);
    }
}

BOOL InsertTitleBlockFields(CDrawDoc& doc, const CRect& block, CObList& fields) {
    CObList old;
    CollectBlockTexts(doc, block, old);
    for (POSITION pos = fields.GetHeadPosition(); pos;) {
        auto* field = static_cast<CDrawObj*>(fields.GetNext(pos));
        auto* text = dynamic_cast<CAttrText*>(field);
        if (text && text->GetOwnerDocument() == &doc)
            BindToDocument(doc, *text);
        else
            field->SetDocument(&doc);
    }
    auto* step = new CMultiCmd("add title block text");
    if (!old.IsEmpty())
        step->Append(new CRemoveCmd(old));
    if (!fields.IsEmpty())
        step->Append(new CAddCmd(fields, FALSE));
    fields.RemoveAll();
    if (step->IsEmpty()) {
        delete step;
        return FALSE;
    }
    return doc.GetUndoList().Execute(step);
}

BOOL InsertTitleBlockLayout(CDrawDoc& doc, const CTitleBlockLayout& layout) {
    CRect block;
    doc.GetTitleBlockRect(block);
    block.NormalizeRect();
    CObList fields;
    layout.CreateFieldObjects(CRect(block.left, block.bottom, block.right, block.top), &doc,
                              fields);
    return InsertTitleBlockFields(doc, block, fields);
}
