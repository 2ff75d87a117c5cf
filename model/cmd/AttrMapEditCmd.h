#pragma once
// CAttrMapEditCmd: the property edit of a drawing object's attributes. Made before the edit, it
// copies the object's attributes; the change test after the edit turns the copy into the list
// of changes, which doing and undoing apply.

#include <utility>
#include <vector>

#include "model/cmd/PropEditCmd.h"
#include "platform/CString.h"

class CDrawObj;

class CAttrMapEditCmd : public CPropEditCmd {
public:
    enum ChangeKind { kChanged = 0, kRemoved = 1, kAdded = 2 };
    struct Change {
        ChangeKind kind;
        CString name;
        CString oldValue;  // empty for kAdded
        CString newValue;  // empty for kRemoved
    };

    explicit CAttrMapEditCmd(CDrawObj* object);

    // Compares the copy with the object's attributes (once): the changed and added ones in the
    // object's order, then the removed ones. TRUE when there is any change.
    BOOL HasChanged() override;
    // Sets the new values and removes the removed attributes, then refreshes the object's
    // attribute texts. FALSE, changing nothing, when the object refuses a value.
    BOOL Do(CDrawDoc* doc) override;
    // Sets the old values and removes the added attributes, then refreshes the texts.
    BOOL Undo(CDrawDoc* doc) override;
    // The object; FALSE for a wire or bus, whose attributes are those of a net that other wires
    // may hold too.
    BOOL GetChangedObjects(std::vector<CDrawObj*>& objects) const override;

    const std::vector<Change>& GetChanges() const { return m_changes; }

private:
    using Attributes = std::vector<std::pair<CString, CString>>;
    static Attributes AttributesOf(CDrawObj& object);
    void Compare();
    BOOL Apply(bool forward);
    bool Step(const Change& change, bool forward);

    CDrawObj* m_object;
    Attributes m_before;
    std::vector<Change> m_changes;
    bool m_compared = false;
};
