#include "model/geometry/PlacementMatrix.h"

#include <algorithm>
#include <cmath>

#include "platform/Geometry.h"

namespace {

// Stores the six elements with 0 for -0, which a file would keep apart from 0: a shape turned or
// mirrored back to where it was is stored as it was, bit for bit.
void StoreMatrix(const double (&matrix)[kMatrixSize], double* out) {
    std::transform(matrix, matrix + kMatrixSize, out,
                   [](double element) { return element == 0 ? 0.0 : element; });
}

}  // namespace

void TurnCosineSine(int angle, double& cosine, double& sine) {
    constexpr int kQuarterTurn = 900;
    if (angle % kQuarterTurn == 0) {
        constexpr double kCosines[] = {1, 0, -1, 0};
        const int quarter = ((angle / kQuarterTurn) % 4 + 4) % 4;
        cosine = kCosines[quarter];
        sine = kCosines[(quarter + 3) % 4];
        return;
    }
    const double radians = angle * kRadiansPerTenthDegree;
    cosine = std::cos(radians);
    sine = std::sin(radians);
}

void MatrixSetRotation(int angle, double* out) {
    double cosine = 0;
    double sine = 0;
    TurnCosineSine(angle, cosine, sine);
    const double rotation[kMatrixSize] = {cosine, -sine, 0, sine, cosine, 0};
    StoreMatrix(rotation, out);
}

void MatrixMultiply(double* out, const double* m1, const double* m2) {
    const double product[kMatrixSize] = {
        m1[kMatA] * m2[kMatA] + m1[kMatB] * m2[kMatC],
        m1[kMatA] * m2[kMatB] + m1[kMatB] * m2[kMatD],
        m1[kMatA] * m2[kMatTx] + m1[kMatB] * m2[kMatTy] + m1[kMatTx],
        m1[kMatC] * m2[kMatA] + m1[kMatD] * m2[kMatC],
        m1[kMatC] * m2[kMatB] + m1[kMatD] * m2[kMatD],
        m1[kMatC] * m2[kMatTx] + m1[kMatD] * m2[kMatTy] + m1[kMatTy]};
    StoreMatrix(product, out);
}

void MatrixTransformDoubles(double* xs, double* ys, int count, const double* matrix) {
    if (!matrix)
        return;
    const double* m = matrix;
    for (int i = 0; i < count; ++i) {
        const double x = xs[i];
        const double y = ys[i];
        xs[i] = m[kMatA] * x + m[kMatB] * y + m[kMatTx];
        ys[i] = m[kMatC] * x + m[kMatD] * y + m[kMatTy];
    }
}

void MatrixTransformPoints(POINT* points, int count, const double* matrix) {
    if (!matrix)
        return;
    const double* m = matrix;
    for (int i = 0; i < count; ++i) {
        const double x = points[i].x;
        const double y = points[i].y;
        points[i].x = RoundToLong(m[kMatA] * x + m[kMatB] * y + m[kMatTx]);
        points[i].y = RoundToLong(m[kMatC] * x + m[kMatD] * y + m[kMatTy]);
    }
}

void MatrixInverseTransformPoints(POINT* points, int count, const double* matrix) {
    const double* m = matrix;
    const double det = MatrixDeterminant(m);
    if (std::fabs(det) < kSingularDeterminant)
        return;
    for (int i = 0; i < count; ++i) {
        const double x = points[i].x - m[kMatTx];
        const double y = points[i].y - m[kMatTy];
        points[i].x = RoundToLong((m[kMatD] * x - m[kMatB] * y) / det);
        points[i].y = RoundToLong((m[kMatA] * y - m[kMatC] * x) / det);
    }
}

// A point p moves to p - 2 (n . (p - p1)) n / |n|^2, with n the line's normal.
void MakeMirrorMatrix(double x1, double y1, double x2, double y2, double* out) {
    const double nx = y1 - y2;
    const double ny = x2 - x1;
    const double lengthSquared = nx * nx + ny * ny;
    if (lengthSquared == 0) {
        std::copy_n(kIdentityMatrix, kMatrixSize, out);
        return;
    }
    const double kx = 2 * nx / lengthSquared;
    const double ky = 2 * ny / lengthSquared;
    const double offset = nx * x1 + ny * y1;
    const double mirror[kMatrixSize] = {1 - kx * nx, -kx * ny,    kx * offset,
                                        -ky * nx,    1 - ky * ny, ky * offset};
    StoreMatrix(mirror, out);
}
