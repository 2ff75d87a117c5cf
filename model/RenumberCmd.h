#pragma once
// CRenumberCmd: the undoable change of several objects' identifiers ("_ID") as one step. It
// keeps, for each object, the identifier that is not current; both directions exchange it
// with the object's and refresh the object's attribute texts.

#include <vector>

#include "model/UndoList.h"
#include "platform/CString.h"

class CDrawObj;

class CRenumberCmd : public CCommand {
public:
    // Records an object with the identifier it has before the change.
    void Add(CDrawObj* object, const char* identifier);

    BOOL Do(CDrawDoc* doc) override;
    BOOL Undo(CDrawDoc* doc) override;
    const char* GetName() const override { return "renumber"; }

private:
    struct Entry {
        CString identifier;
        CDrawObj* object;
    };
    void Exchange();

    std::vector<Entry> m_entries;
};
