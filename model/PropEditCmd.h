#pragma once
// CPropEditCmd: the undoable edit of one document attribute. It keeps the value that is not
// current: the old value while done, the new value while undone.

#include "model/UndoList.h"
#include "platform/CString.h"

class CPropEditCmd : public CCommand {
public:
    // Recorded after the attribute was set: oldValue is the value before (empty and isNew set
    // when the attribute did not exist).
    CPropEditCmd(const char* name, const char* oldValue, BOOL isNew)
        : m_name(name), m_value(oldValue), m_isNew(isNew) {}

    // Both exchange the kept value with the current one; undoing the edit that made the
    // attribute removes it again.
    BOOL Do(CDrawDoc* doc) override;
    BOOL Undo(CDrawDoc* doc) override;
    const char* GetName() const override { return "property edit"; }

private:
    CString m_name;
    CString m_value;
    BOOL m_isNew;
};
