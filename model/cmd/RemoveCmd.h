#pragma once
// CRemoveCmd: objects leaving the document ("remove object", "remove objects"). Doing takes
// them out, undoing puts each back before the object that followed it; the command owns them
// while they are out and deletes them with itself.

#include "model/cmd/ObjectSetCmd.h"

class CRemoveCmd : public CObjectSetCmd {
public:
    // The objects are in the document.
    explicit CRemoveCmd(const CObList& objects) : CObjectSetCmd(objects, TRUE) {}
    explicit CRemoveCmd(CDrawObj* object) : CObjectSetCmd(object, TRUE) {}

    BOOL Do(CDrawDoc* doc) override { return TakeOut(doc); }
    BOOL Undo(CDrawDoc* doc) override { return LinkIn(doc); }
    const char* GetName() const override { return Label("remove object", "remove objects"); }
};
