#pragma once
// CPropEditCmd: the base of the property edits ("property edit"): the shape edit, the edit of
// an object's attributes and the edit of one attribute. Editors make the command before they
// change anything, change the object, then ask HasChanged and record the command only when it
// answers TRUE (else they delete it).

#include "model/undo/Command.h"

class CPropEditCmd : public CCommand {
public:
    const char* GetName() const override { return "property edit"; }
    // Whether the recorded state differs from the object's present one.
    virtual BOOL HasChanged() { return TRUE; }

protected:
    CPropEditCmd() = default;
};
