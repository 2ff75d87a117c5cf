#pragma once
// The "Text Properties" sheet of text boxes and attribute texts: the "General", "Font" and
// "Outline and Fill" pages.

#include "platform/ObList.h"

class CDrawDoc;
class QWidget;

// Shows the sheet over the texts (of doc); after OK the pages apply to every text (General,
// Outline and Fill, then Font) in one undoable "text properties" edit. Cancel changes nothing.
// Whether the texts were changed.
bool EditTextProperties(CDrawDoc& doc, const CObList& texts, QWidget* parent);
