#pragma once
// Hit, intersection and snapping tests on integer sheet points. Rectangles are taken with
// left <= right and top <= bottom unless a function says otherwise. Products of coordinates
// are formed in wide integers, so no sheet coordinates overflow them.

#include "platform/GdiTypes.h"

// The square of the distance from p to the nearest point of the segment a-b (to a when the
// segment is a point).
double SquaredDistanceToSegment(const POINT& p, const POINT& a, const POINT& b);

// 1 when (x, y) lies inside the closed polygon, 0 when outside or on its outline. The point
// must first lie in bounds (the points' own minimum and maximum when bounds is null), left
// and top inclusive, right and bottom exclusive.
BOOL PtInPolygon(const POINT* points, int count, int x, int y, const RECT* bounds);

// How the ray from (x, y) towards +x meets the edge (x1, y1)-(x2, y2):
//  -1 the point lies on the edge;
//  -2 the ray passes exactly through the edge's first vertex;
//   1 the ray crosses the edge (its end vertex excluded);
//   0 it does not.
int EdgeCrossing(int x, int y, int x1, int y1, int x2, int y2);

// The minimum and maximum of the points; no points give the inverted rectangle
// (0x7FFFFFFF, 0x7FFFFFFF, 0x80000000, 0x80000000).
void PointsBoundingRect(const POINT* points, int count, RECT& out);

// TRUE when a-b and c-d cross, each segment's ends lying on both sides of the other's line.
// Collinear counts as one side, so collinear overlapping segments do not cross.
BOOL SegmentsCross(int ax, int ay, int bx, int by, int cx, int cy, int dx, int dy);

// TRUE when a-b and c-d meet, computed in doubles; parallel segments never meet.
BOOL SegmentsIntersect(int ax, int ay, int bx, int by, int cx, int cy, int dx, int dy);

// The intersection of the lines through a-b and c-d into out, exact to the unit (truncated
// toward zero); TRUE when it lies on both segments. Parallel lines give FALSE and leave out
// unchanged.
BOOL SegmentIntersection(int ax, int ay, int bx, int by, int cx, int cy, int dx, int dy,
                         POINT& out);

// Moves point to the nearest point of the segment (x1, y1)-(x2, y2). A segment of length 0
// gives FALSE and leaves point unchanged.
BOOL ProjectOnSegment(POINT& point, int x1, int y1, int x2, int y2);

// TRUE when the segment (x1, y1)-(x2, y2) meets rect (edges included), found to a
// thousandth of the segment.
BOOL SegmentMeetsRect(const RECT& rect, int x1, int y1, int x2, int y2);

// TRUE when the polygon meets rect: its first point lies in the normalised rect, or (closed
// only) the rect's left-top corner lies inside it, or one of its edges, the closing edge
// included, crosses a side of the rect. closed decides only the inside test.
BOOL PolygonMeetsRect(const POINT* points, int count, const RECT& rect, BOOL closed);
// The same for an open polyline: its count - 1 segments, no inside test.
BOOL PolylineMeetsRect(const POINT* points, int count, const RECT& rect);

// Grows the normalised extent to take in the normalised rectangle other. Unlike a union of
// rectangles, a rectangle of zero width or height counts (a horizontal or vertical line).
void UniteExtents(RECT& extent, const RECT& other);
