#pragma once
// CAddCmd: objects entering the document ("add object", "add objects"). Doing links them in,
// undoing takes them out again; the command owns them while they are out.

#include "model/cmd/ObjectSetCmd.h"

class CAddCmd : public CObjectSetCmd {
public:
    // inDocument: the caller has already put the objects in the document, so the command
    // starts done.
    CAddCmd(const CObList& objects, BOOL inDocument) : CObjectSetCmd(objects, inDocument) {}
    CAddCmd(std::span<CDrawObj* const> objects, BOOL inDocument)
        : CObjectSetCmd(objects, inDocument) {}
    CAddCmd(CDrawObj* object, BOOL inDocument) : CObjectSetCmd(object, inDocument) {}

    BOOL Do(CDrawDoc* doc) override { return LinkIn(doc); }
    BOOL Undo(CDrawDoc* doc) override { return TakeOut(doc); }
    const char* GetName() const override { return Label("add object", "add objects"); }
};
