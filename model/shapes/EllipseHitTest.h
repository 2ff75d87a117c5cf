#pragma once
// The intersection test of ellipses, chords and arcs with a query rectangle.

#include "platform/GdiTypes.h"

// Bits of the mode of EllipseArcMeetsRect.
constexpr int kEllipseFilled = 0x1;  // the inside counts
constexpr int kEllipseClosed = 0x2;  // the chord from the arc's start to its end counts

// Whether the ellipse inscribed in ellipseRect, turned by rotation (tenths of a degree) about
// the sheet origin, meets query (a sheet rectangle). The outline runs counter-clockwise from
// arcStart to arcEnd (points of the unrotated frame of ellipseRect; equal points: the whole
// ellipse).
BOOL EllipseArcMeetsRect(POINT arcStart, POINT arcEnd, const RECT& ellipseRect, int rotation,
                         const RECT& query, int mode);
