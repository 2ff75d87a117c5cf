#pragma once
// CAttrEditCmd: the property edit of one attribute of an owner, the document or a drawing
// object. It keeps the value that is not current: the old value while done, the new one while
// undone, and gives the object's attribute texts their rectangles back with each exchange.

#include "model/cmd/AttrTextPlaces.h"
#include "model/cmd/PropEditCmd.h"
#include "platform/CString.h"

class CDrawObj;

class CAttrEditCmd : public CPropEditCmd {
public:
    // Recorded after the attribute was set: oldValue is the value before, isNew tells that the
    // attribute did not exist. owner: the drawing object, or null for the document itself.
    CAttrEditCmd(const char* name, const char* oldValue, BOOL isNew, CDrawObj* owner = nullptr)
        : m_owner(owner), m_name(name), m_value(oldValue), m_isNew(isNew) {}

    // Sets the kept value and keeps the one it replaced, noting whether the attribute existed.
    BOOL Do(CDrawDoc* doc) override;
    // Removes the attribute when the edit made it (keeping its value for a redo); otherwise
    // the same exchange as Do.
    BOOL Undo(CDrawDoc* doc) override;
    // The owner, or none for the document; FALSE for a wire or bus, whose attributes are those
    // of its net, which other wires may hold too (and whose new name may move its whole group).
    BOOL GetChangedObjects(std::vector<CDrawObj*>& objects) const override;
    // The places the owner's texts had before the edit, which undo gives back.
    void KeepTextPlaces(AttrTextPlaces places) { m_texts = std::move(places); }

private:
    // The exchange of Do; Undo erases an attribute the edit made.
    BOOL Exchange(CDrawDoc* doc);
    BOOL EraseNew(CDrawDoc* doc);
    std::vector<CDrawObj*> Owners() const;
    BOOL Read(CDrawDoc* doc, CString& value) const;
    BOOL Write(CDrawDoc* doc, const CString& value) const;
    BOOL Erase(CDrawDoc* doc) const;

    CDrawObj* m_owner;
    CString m_name;
    CString m_value;
    BOOL m_isNew;
    AttrTextPlaces m_texts;
};

// SetAttr of an undoable edit (kSetAttrUndoable): when the value differs from the object's,
// sets it without the undo flags and records a "property edit" of the attribute in the
// object's document, joined to the last step with kSetAttrMerge. Returns what the inner
// SetAttr returned (TRUE for an unchanged value).
int SetAttrRecorded(CDrawObj& object, const char* name, const char* value, UINT flags);
