#pragma once
// Rotation and reflection of arrays of integer sheet points, in place, with the rounding of
// RoundToLong. Angles are in tenths of a degree, counter-clockwise with y upward.

#include "platform/GdiTypes.h"

void RotatePoints(POINT* points, int count, int angle);
void RotatePointsAbout(POINT* points, int count, int angle, int cx, int cy);

// Reflection about the line through (x1, y1) and (x2, y2); each point moves by a whole
// number of units in x and y. Two equal points leave the points unchanged.
void MirrorPoints(POINT* points, int count, double x1, double y1, double x2, double y2);
