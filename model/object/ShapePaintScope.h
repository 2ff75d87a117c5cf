#pragma once
// ShapePaintScope: selects into a device context the pen and brush a shape paints with, and
// puts the previous ones back when it ends.
//
// For an object: its effective pen when it is outlined (flag 0x2), else the null pen; its
// effective brush when it is filled (flag 0x1), else the hollow brush. A hatched brush gets
// its origin at the device position of the sheet origin (modulo 8), so that hatches stay put
// when the object moves. For a tracker: the application's selection pen of the state (the
// dominant one for state 3) and the hollow brush.

#include "platform/DC.h"

class CDrawObj;

class ShapePaintScope {
public:
    ShapePaintScope(CDC* dc, const CDrawObj& object);
    ShapePaintScope(CDC* dc, int trackerState);
    // A pen and a brush given.
    ShapePaintScope(CDC* dc, const LOGPEN& pen, const LOGBRUSH& brush);
    ~ShapePaintScope();
    ShapePaintScope(const ShapePaintScope&) = delete;
    ShapePaintScope& operator=(const ShapePaintScope&) = delete;

    // Whether both the pen and the brush could be made.
    bool IsReady() const { return m_pen.IsCreated() && m_brush.IsCreated(); }

private:
    void Select(const LOGPEN& pen, const LOGBRUSH& brush);

    CDC* m_dc;
    CPen m_pen;
    CBrush m_brush;
    CPen* m_oldPen = nullptr;
    CBrush* m_oldBrush = nullptr;
    POINT m_oldBrushOrigin;
};

// The pen of the trackers of selected objects for a tracker state.
LOGPEN TrackerPen(int state);
