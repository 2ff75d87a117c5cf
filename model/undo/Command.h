#pragma once
// CCommand: the base of every undoable edit. Editing code makes a command with new, does it and
// hands it to the document's undo list (CUndoList::Execute does and records in one step,
// CUndoList::Add records one that is already done); from then on the list owns it.

#include <vector>

#include "platform/Object.h"
#include "platform/Types.h"

class CDrawDoc;
class CDrawObj;
class CObList;

// How of CCommand::UpdateViews and UpdateView.
constexpr int kUpdateJoinSelection = 0;   // repaint the objects and add them to the selection
constexpr int kUpdateLeaveSelection = 1;  // repaint them and drop them from the selection

class CCommand : public CObject {
    DECLARE_DYNAMIC(CCommand)
public:
    // Performs (or performs again) the change. A command that fails returns FALSE and leaves
    // the document as it found it (it takes back any part it had already done), so the undo
    // list can drop it without a trace. The base does nothing and fails.
    virtual BOOL Do(CDrawDoc* doc);
    // Takes the change back; on failure the same rule holds: FALSE, and the change stays done.
    virtual BOOL Undo(CDrawDoc* doc);
    // Appends the drawing objects that doing or undoing adds, removes or changes (the
    // document's own attributes are no object); FALSE when the command cannot name them all,
    // as the base cannot.
    virtual BOOL GetChangedObjects(std::vector<CDrawObj*>& objects) const;
    // The label shown in the undo lists, in lower case ("add objects"); the base has none.
    virtual const char* GetName() const;
    // Tells the document's views about the listed drawing objects: how kUpdateJoinSelection
    // or kUpdateLeaveSelection; any other value sends nothing.
    virtual void UpdateViews(CDrawDoc* doc, CObList* objects, int how);
    // The same for one object.
    virtual void UpdateView(CDrawDoc* doc, CDrawObj* object, int how);

protected:
    CCommand() = default;
};
