#include "model/cmd/ShapeEditCmd.h"

#include "model/object/DrawObj.h"

namespace {
// The flag bits that belong to the object's state; the others are marks of running walks,
// drags and checks.
constexpr DWORD kStateFlags = kFlagsKeptOnLoad & ~DWORD{kFlagMark};

bool SamePen(const LOGPEN& a, const LOGPEN& b) {
    return a.lopnStyle == b.lopnStyle && a.lopnWidth.x == b.lopnWidth.x &&
           a.lopnWidth.y == b.lopnWidth.y && a.lopnColor == b.lopnColor;
}

bool SameBrush(const LOGBRUSH& a, const LOGBRUSH& b) {
    return a.lbStyle == b.lbStyle && a.lbColor == b.lbColor && a.lbHatch == b.lbHatch;
}

template <class T, class Same>
bool SameOptional(const std::optional<T>& a, const std::optional<T>& b, Same same) {
    return a.has_value() == b.has_value() && (!a || same(*a, *b));
}
}  // namespace

ShapeState ShapeState::Of(const CDrawObj& object) {
    ShapeState state;
    state.position = object.GetPosition();
    state.flags = object.GetFlags() & kStateFlags;
    if (const LOGPEN* pen = object.GetOwnPen())
        state.pen = *pen;
    if (const LOGBRUSH* brush = object.GetOwnBrush())
        state.brush = *brush;
    return state;
}

void ShapeState::ApplyTo(CDrawObj& object) const {
    object.MoveTo(position, nullptr);
    object.SetFlags(flags, kStateFlags);
    object.SetPen(pen ? &*pen : nullptr);
    object.SetBrush(brush ? &*brush : nullptr);
}

bool ShapeState::operator==(const ShapeState& other) const {
    return position == other.position && flags == other.flags &&
           SameOptional(pen, other.pen, SamePen) && SameOptional(brush, other.brush, SameBrush);
}

CShapeEditCmd::CShapeEditCmd(CDrawObj* object)
    : m_object(object), m_kept(ShapeState::Of(*object)) {}

BOOL CShapeEditCmd::Do(CDrawDoc* /*doc*/) {
    ShapeState present = ShapeState::Of(*m_object);
    m_object->Invalidate(nullptr);
    m_kept.ApplyTo(*m_object);
    m_object->Invalidate(nullptr);
    m_kept = present;
    return TRUE;
}
