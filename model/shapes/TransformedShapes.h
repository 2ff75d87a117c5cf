#pragma once
// Rectangles and rounded rectangles drawn through a placement matrix (six doubles, see
// PlacementMatrix.h; null stands for the identity), with the pen and brush selected in the
// device context. Points are mapped with the rounding of RoundToLong.

#include "platform/GdiTypes.h"

class CDC;

// A matrix that keeps the axes draws a Rectangle between the mapped corners; any other
// draws the mapped quadrilateral as a Polygon. A pen wider than 1 then draws the outline as
// four bands of the pen's thickness (centred on the outline for solid and dashed pens,
// inside it for the others) so that the width follows the mapped sides.
void DrawTransformedRect(CDC* dc, const RECT& rect, const double* matrix);

// The normalised rect with quarter-ellipse corners of the given size, drawn as one Polygon.
// An inside-frame style pen of width 1 or more keeps the outline within the rect.
void DrawTransformedRoundRect(CDC* dc, const RECT& rect, int cornerWidth, int cornerHeight,
                              const double* matrix);
