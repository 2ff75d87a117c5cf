#pragma once
// Draw > Insert Title Block: the "Insert Title Block" sheet with the Title Block Contents
// page; OK makes the layout's fields in the title block of the sheet border, replacing the
// document's attribute texts that lie there, as one undoable step.

class CDrawDoc;
class QWidget;

void InsertTitleBlock(CDrawDoc& doc, QWidget* parent);
