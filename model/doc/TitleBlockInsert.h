#pragma once
// Inserting a title block's fields into a document: the field objects, each already placed in
// its cell of the block, replace the document's attribute texts that lie in the block, as one
// step "add title block text" of the undo list.

#include "platform/GdiTypes.h"
#include "platform/Geometry.h"
#include "platform/Types.h"

class CDrawDoc;
class CObList;
class CTextBox;
class CTitleBlockLayout;

// The height in sheet units of text in the font: |height| points at 100 units an inch. A
// positive stored height (a cell height) gives the same as the usual negative one.
int TitleBlockTextHeight(const LOGFONT& font);

// Shapes a document's field text for its cell: title-block style; a cell at least two lines
// and 2 units high gets multi-line text with borders 250, H + 6, 250, 5 (left, top, right,
// bottom), a lower cell a single line with borders 750, 5, 5, 5.
void FitTitleBlockText(CTextBox& text, LONG cellHeight, const LOGFONT& font);

// Adds the field objects (the caller's until then; the list is emptied) and removes the
// document's attribute texts whose rectangles lie inside block. Field texts owned by the
// document are fitted to their cells and join its attribute texts. TRUE when a step was
// recorded; nothing is recorded when there is nothing to add or remove.
BOOL InsertTitleBlockFields(CDrawDoc& doc, const CRect& block, CObList& fields);

// Inserts the fields of the layout in the document's title block as InsertTitleBlockFields
// does. The sheet's y grows upwards, so the block is handed to the layout with its top at its
// greater y: the first field of a strip is the uppermost, as the layout's preview shows it.
BOOL InsertTitleBlockLayout(CDrawDoc& doc, const CTitleBlockLayout& layout);
