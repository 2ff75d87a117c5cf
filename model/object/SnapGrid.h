#pragma once
// What drawing objects ask of the view's snap grid while a snap search runs. Each test looks
// for a snap point near point within the squared distance best; when it accepts one it moves
// point there and returns that squared distance, else it returns a negative value and leaves
// point alone.

#include "platform/Geometry.h"

class CDrawObj;

class ISnapGrid {
public:
    virtual ~ISnapGrid() = default;

    virtual double TryPoint(CPoint& point, int x, int y, double best) = 0;
    virtual double TrySegment(CPoint& point, int x1, int y1, int x2, int y2, double best) = 0;
    // Corners, side midpoints, centre and grid crossings of the object's position rectangle.
    virtual double TryRect(CPoint& point, const CDrawObj* object, double best) = 0;
    virtual double TryEllipse(CPoint& point, const CDrawObj* object, double best) = 0;
};
