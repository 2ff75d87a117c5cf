#pragma once
// The placement matrix of symbols and rotated shapes: a 2x3 affine map held as six doubles
// in the order a, b, tx, c, d, ty (the order files store them in). A point (x, y) maps to
// (a x + b y + tx, c x + d y + ty). Doubles become sheet coordinates as floor(v + 0.5)
// (RoundToLong). The operations below that make a matrix never store -0: a zero is +0.

#include "platform/GdiTypes.h"

enum MatrixElement : int { kMatA, kMatB, kMatTx, kMatC, kMatD, kMatTy, kMatrixSize };

constexpr double kIdentityMatrix[kMatrixSize] = {1, 0, 0, 0, 1, 0};

// Angles are in tenths of a degree, counter-clockwise with y upward.
constexpr double kRadiansPerTenthDegree = 0.001745329251994;

// Below this in size, a determinant makes a matrix count as not invertible.
constexpr double kSingularDeterminant = 1e-5;

inline double MatrixDeterminant(const double* m) {
    return m[kMatA] * m[kMatD] - m[kMatC] * m[kMatB];
}

// The cosine and sine of an angle: exactly 0 and 1 or -1 for a multiple of 90 degrees, so that
// quarter turns stay exact however many are made.
void TurnCosineSine(int angle, double& cosine, double& sine);

// The rotation about the origin by angle.
void MatrixSetRotation(int angle, double* out);

// out = m1 applied after m2; out may be m1 or m2.
void MatrixMultiply(double* out, const double* m1, const double* m2);

// Map pairs of doubles, or integer points with rounding, in place. A null matrix or a count
// below 1 leaves them unchanged.
void MatrixTransformDoubles(double* xs, double* ys, int count, const double* matrix);
void MatrixTransformPoints(POINT* points, int count, const double* matrix);

// Map points back through the inverse of matrix, with rounding; a matrix whose determinant is
// below kSingularDeterminant in size leaves them unchanged.
void MatrixInverseTransformPoints(POINT* points, int count, const double* matrix);

// The exact reflection about the line through (x1, y1) and (x2, y2); the identity when the
// two points are equal.
void MakeMirrorMatrix(double x1, double y1, double x2, double y2, double* out);
