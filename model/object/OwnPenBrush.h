#pragma once
// OwnPenBrush: the pen and brush an object has of its own instead of the document's defaults.
// Most objects have neither, so both live in one block on the heap, made when the first is set;
// an object without them holds a single null pointer.

#include <memory>
#include <optional>

#include "platform/GdiTypes.h"

class OwnPenBrush {
public:
    OwnPenBrush() = default;
    OwnPenBrush(const OwnPenBrush& other);
    OwnPenBrush(OwnPenBrush&&) noexcept = default;
    OwnPenBrush& operator=(const OwnPenBrush& other);
    OwnPenBrush& operator=(OwnPenBrush&&) noexcept = default;

    // None: the default pen (brush).
    const std::optional<LOGPEN>& Pen() const { return m_held ? m_held->pen : kNone.pen; }
    const std::optional<LOGBRUSH>& Brush() const { return m_held ? m_held->brush : kNone.brush; }
    // For setting the pen (brush) or a part of it; makes the block when there is none.
    std::optional<LOGPEN>& EditPen() { return Held().pen; }
    std::optional<LOGBRUSH>& EditBrush() { return Held().brush; }
    void ResetPen();
    void ResetBrush();
    void Clear() { m_held.reset(); }

private:
    struct Both {
        std::optional<LOGPEN> pen;
        std::optional<LOGBRUSH> brush;
    };
    static const Both kNone;

    Both& Held();
    // Frees the block once neither is set.
    void DropWhenEmpty();

    std::unique_ptr<Both> m_held;
};
