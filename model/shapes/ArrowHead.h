#pragma once
// Arrow heads of lines, polylines, arcs and wires, drawn with the pen selected in the device
// context: kind 1 two strokes, 2 a narrow and 3 a wide filled triangle (filled in the pen's
// colour), 0 or anything else nothing. The head is max(40, 6 x pen width) units long.

class CDC;

// The head at (tipX, tipY) pointing along the unit vector (ux, uy).
void DrawArrowHead(CDC* dc, int tipX, int tipY, double ux, double uy, int kind);

// The head at (tipX, tipY) pointing away from (fromX, fromY), or along +x when the two
// points are closer than 1e-5.
void DrawArrowHeadFrom(CDC* dc, int tipX, int tipY, int fromX, int fromY, int kind);

// The unit vector from (x1, y1) to (x2, y2); (1, 0) for points closer than 1e-5.
void UnitVector(double x1, double y1, double x2, double y2, double& ux, double& uy);
