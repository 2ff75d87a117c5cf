#include "model/geometry/PlacementMatrix.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/Geometry.h"

namespace {

using Matrix = std::array<double, kMatrixSize>;
const Matrix kIdentity = {1, 0, 0, 0, 1, 0};

void ExpectMatrixNear(const Matrix& m, const Matrix& expected) {
    for (int i = 0; i < kMatrixSize; ++i)
        EXPECT_NEAR(m[i], expected[i], 1e-9) << "element " << i;
}

CPoint Mapped(CPoint p, const Matrix& m) {
    MatrixTransformPoints(&p, 1, m.data());
    return p;
}

Matrix Mirror(double x1, double y1, double x2, double y2) {
    Matrix m;
    MakeMirrorMatrix(x1, y1, x2, y2, m.data());
    return m;
}

}  // namespace

TEST(PlacementMatrix, RotationProductOrderAndAliasing) {
    Matrix rotation;
    MatrixSetRotation(900, rotation.data());
    ExpectMatrixNear(rotation, {0, -1, 0, 1, 0, 0});
    const Matrix shift = {1, 0, 100, 0, 1, -50};
    Matrix product;
    MatrixMultiply(product.data(), shift.data(), rotation.data());
    EXPECT_EQ(Mapped(CPoint(10, 0), product), CPoint(100, -40));  // rotated, then shifted

    const Matrix m2 = {2, 0.5, -3, 0.25, -1, 11};
    MatrixMultiply(product.data(), rotation.data(), m2.data());
    Matrix intoFirst = rotation;
    MatrixMultiply(intoFirst.data(), intoFirst.data(), m2.data());
    ExpectMatrixNear(intoFirst, product);
    Matrix intoSecond = m2;
    MatrixMultiply(intoSecond.data(), rotation.data(), intoSecond.data());
    ExpectMatrixNear(intoSecond, product);
}

TEST(PlacementMatrix, TransformsRoundHalfUpAndSkipANullMatrix) {
    const Matrix half = {0.5, 0, 0, 0, 0.5, 0};
    EXPECT_EQ(Mapped(CPoint(-3, 3), half), CPoint(-1, 2));
    EXPECT_EQ(Mapped(CPoint(-1, 1), half), CPoint(0, 1));
    POINT p{7, 8};
    MatrixTransformPoints(&p, 1, nullptr);
    EXPECT_EQ(CPoint(p), CPoint(7, 8));

    double xs[] = {1.5};
    double ys[] = {-2.5};
    MatrixTransformDoubles(xs, ys, 1, nullptr);  // skipped: the next result shows it
    MatrixTransformDoubles(xs, ys, 1, half.data());
    EXPECT_EQ(xs[0], 0.75);
    EXPECT_EQ(ys[0], -1.25);
}

TEST(PlacementMatrix, InverseUndoesTheMapAndSkipsSingularMatrices) {
    Matrix m;
    MatrixSetRotation(450, m.data());
    m[kMatTx] = 1234;
    m[kMatTy] = -567;
    POINT p = Mapped(CPoint(3000, -2000), m);
    MatrixInverseTransformPoints(&p, 1, m.data());
    EXPECT_NEAR(p.x, 3000, 1);
    EXPECT_NEAR(p.y, -2000, 1);

    const Matrix nearlySingular = {0.001, 0, 5, 0, 0.001, 5};  // determinant 1e-6
    POINT q{10, 20};
    MatrixInverseTransformPoints(&q, 1, nearlySingular.data());
    EXPECT_EQ(CPoint(q), CPoint(10, 20));
}

TEST(PlacementMatrix, MirrorMatricesAreExactReflections) {
    EXPECT_EQ(Mirror(0, 5, 10, 5), (Matrix{1, 0, 0, 0, -1, 10}));  // y = 5
    ExpectMatrixNear(Mirror(1, 1, 3, 3), {0, 1, 0, 1, 0, 0});      // y = x
    ExpectMatrixNear(Mirror(4, 4, 4, 4), kIdentity);               // no line

    const Matrix slanted = Mirror(100, 200, 100 + 866.0254, 700);  // 30 degrees
    Matrix twice;
    MatrixMultiply(twice.data(), slanted.data(), slanted.data());
    ExpectMatrixNear(twice, kIdentity);
    double xs[] = {100 + 2 * 866.0254};
    double ys[] = {1200};
    MatrixTransformDoubles(xs, ys, 1, slanted.data());  // a point of the line stays
    EXPECT_NEAR(xs[0], 100 + 2 * 866.0254, 1e-9);
    EXPECT_NEAR(ys[0], 1200, 1e-9);
}
