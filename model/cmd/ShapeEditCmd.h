#pragma once
// CShapeEditCmd: the property edit of a drawing object's shape: its rectangle, its flags and its
// own pen and brush. Doing and undoing both exchange the kept state with the object's.

#include <optional>

#include "model/cmd/PropEditCmd.h"
#include "platform/GdiTypes.h"
#include "platform/Geometry.h"

class CDrawObj;

// What the shape edit keeps of an object. The pen and brush are the object's own ones, or
// none: an object that follows the document's defaults (or an own pen or brush whose colour
// follows the default) keeps doing so after an undo. The run-time marks are not part of it.
struct ShapeState {
    CRect position;
    DWORD flags = 0;
    std::optional<LOGPEN> pen;
    std::optional<LOGBRUSH> brush;

    static ShapeState Of(const CDrawObj& object);
    // Gives the object this state (invalidating it where it changes).
    void ApplyTo(CDrawObj& object) const;
    bool operator==(const ShapeState& other) const;
};

class CShapeEditCmd : public CPropEditCmd {
public:
    // Keeps the object's present state.
    explicit CShapeEditCmd(CDrawObj* object);

    BOOL Do(CDrawDoc* doc) override;
    BOOL Undo(CDrawDoc* doc) override { return Do(doc); }

protected:
    CDrawObj* m_object;
    ShapeState m_kept;
};
