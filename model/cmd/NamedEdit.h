#pragma once
// A property sheet's OK over objects of the document: copies take the objects' places under
// the edit's name, each copy is edited, and the edit is recorded as one undoable command, or
// taken back when it changed nothing.

#include <functional>
#include <memory>

#include "platform/ObList.h"
#include "platform/Types.h"

class CDrawDoc;
class CDrawObj;
class CNamedCmd;

// Ends a begun edit (CNamedCmd::BeginEdit): records it as a step of the undo list and updates
// all views with the copies as the new selection, true. An edit that left the copies as the
// originals were is taken back instead, the originals selected again, and adds no step: false.
bool RecordNamedEdit(CDrawDoc& doc, std::unique_ptr<CNamedCmd> command);

// Edits copies of objects (CDrawObj of doc) with edit and records the named command
// (RecordNamedEdit). FALSE, changing nothing, when there are no objects or they cannot be
// copied.
BOOL ApplyNamedEdit(CDrawDoc& doc, const CObList& objects, const char* name,
                    const std::function<void(CDrawObj&)>& edit);
