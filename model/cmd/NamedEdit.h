#pragma once
// A property sheet's OK over objects of the document: copies take the objects' places under
// the edit's name, each copy is edited, and the edit is recorded as one undoable command.

#include <functional>

#include "platform/ObList.h"
#include "platform/Types.h"

class CDrawDoc;
class CDrawObj;

// Edits copies of objects (CDrawObj of doc) with edit, records the named command and updates
// all views with the copies as the new selection. FALSE, changing nothing, when there are no
// objects or they cannot be copied.
BOOL ApplyNamedEdit(CDrawDoc& doc, const CObList& objects, const char* name,
                    const std::function<void(CDrawObj&)>& edit);
