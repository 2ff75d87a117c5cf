#pragma once
// The "Object Properties" sheet of drawing objects: one "Outline and Fill" page.

#include "platform/ObList.h"
#include "platform/Types.h"

class CDrawDoc;
class QWidget;

// Shows the sheet over objects (of doc) with the page's kind flags; after OK the page applies
// to every object in one undoable "object properties" edit. Cancel, or OK with nothing edited,
// changes nothing. Whether the objects were changed.
bool EditObjectProperties(CDrawDoc& doc, const CObList& objects, DWORD kinds, QWidget* parent);
