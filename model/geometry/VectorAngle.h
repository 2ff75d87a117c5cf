#pragma once
// The direction of a vector in tenths of a degree, shared by arcs, texts, pins, wires and the
// DXF writer.

// The direction of (dx, dy), counter-clockwise from the positive x axis, in (-1800, 1800];
// the zero vector gives -900. Note the order of the arguments.
int AngleFromVector(double dy, double dx);

// angle brought into [0, 3600).
int NormalizedAngle(int angle);
