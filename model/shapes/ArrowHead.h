#pragma once
// Arrow heads of lines, polylines, arcs and wires: kind 1 two strokes, 2 a narrow and 3 a wide
// filled triangle (filled in the pen's colour), 0 or anything else nothing. The head is
// max(40, 6 x pen width) units long. The pen is the one selected in the device context, or,
// when that is the null pen (a shape painted without outline), shapePen, the shape's own pen:
// the heads show whenever they are exported.

#include "platform/GdiTypes.h"

class CDC;

// The head at (tipX, tipY) pointing along the unit vector (ux, uy).
void DrawArrowHead(CDC* dc, const LOGPEN& shapePen, int tipX, int tipY, double ux, double uy,
                   int kind);

// The head at (tipX, tipY) pointing away from (fromX, fromY), or along +x when the two
// points are closer than 1e-5.
void DrawArrowHeadFrom(CDC* dc, const LOGPEN& shapePen, int tipX, int tipY, int fromX, int fromY,
                       int kind);

// The unit vector from (x1, y1) to (x2, y2); (1, 0) for points closer than 1e-5.
void UnitVector(double x1, double y1, double x2, double y2, double& ux, double& uy);
