#include "model/PlacementMatrix.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/Geometry.h"

namespace {

using Matrix = std::array<double, kMatrixSize>;

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

const Matrix kIdentity = {1, 0, 0, 0, 1, 0};

}  // namespace

TEST(PlacementMatrix, RotationAndProductOrder) {
    Matrix rotation;
    MatrixSetRotation(900, rotation.data());
    ExpectMatrixNear(rotation, {0, -1, 0, 1, 0, 0});

    const Matrix shift = {1, 0, 100, 0, 1, -50};
    Matrix shiftAfterRotation;
    MatrixMultiply(shiftAfterRotation.data(), shift.data(), rotation.data());
    EXPECT_EQ(Mapped(CPoint(10, 0), shiftAfterRotation), CPoint(100, -40));
    EXPECT_EQ(Mapped(Mapped(CPoint(10, 0), rotation), shift), CPoint(100, -40));
}

TEST(PlacementMatrix, MultiplyIntoAnOperand) {
    Matrix m1;
    MatrixSetRotation(300, m1.data());
    m1[kMatTx] = 7;
    const Matrix m2 = {2, 0.5, -3, 0.25, -1, 11};
    Matrix expected;
    MatrixMultiply(expected.data(), m1.data(), m2.data());

    Matrix intoFirst = m1;
    MatrixMultiply(intoFirst.data(), intoFirst.data(), m2.data());
    ExpectMatrixNear(intoFirst, expected);
    Matrix intoSecond = m2;
    MatrixMultiply(intoSecond.data(), m1.data(), intoSecond.data());
    ExpectMatrixNear(intoSecond, expected);
}

TEST(PlacementMatrix, TransformsRoundHalfUp) {
    const Matrix half = {0.5, 0, 0, 0, 0.5, 0};
    POINT points[] = {{-3, 3}, {-1, 1}};
    MatrixTransformPoints(points, 2, half.data());
    EXPECT_EQ(CPoint(points[0]), CPoint(-1, 2));
    EXPECT_EQ(CPoint(points[1]), CPoint(0, 1));

    MatrixTransformPoints(points, 2, nullptr);
    EXPECT_EQ(CPoint(points[0]), CPoint(-1, 2));

    double xs[] = {1.5};
    double ys[] = {-2.5};
    MatrixTransformDoubles(xs, ys, 1, nullptr);
    EXPECT_EQ(xs[0], 1.5);
    MatrixTransformDoubles(xs, ys, 1, half.data());
    EXPECT_EQ(xs[0], 0.75);
    EXPECT_EQ(ys[0], -1.25);
}

TEST(PlacementMatrix, InverseUndoesTheMapAndSkipsSingularMatrices) {
    Matrix m;
    MatrixSetRotation(450, m.data());
    m[kMatTx] = 1234;
    m[kMatTy] = -567;
    POINT p{3000, -2000};
    MatrixTransformPoints(&p, 1, m.data());
    MatrixInverseTransformPoints(&p, 1, m.data());
    EXPECT_NEAR(p.x, 3000, 1);
    EXPECT_NEAR(p.y, -2000, 1);

    const Matrix nearlySingular = {0.001, 0, 5, 0, 0.001, 5};  // determinant 1e-6
    POINT q{10, 20};
    MatrixInverseTransformPoints(&q, 1, nearlySingular.data());
    EXPECT_EQ(CPoint(q), CPoint(10, 20));
}

TEST(PlacementMatrix, MirrorAboutAxisParallelLinesIsExact) {
    EXPECT_EQ(Mirror(0, 5, 10, 5), (Matrix{1, 0, 0, 0, -1, 10}));  // y = 5
    EXPECT_EQ(Mirror(3, 10, 3, -4), (Matrix{-1, 0, 6, 0, 1, 0}));  // x = 3
    ExpectMatrixNear(Mirror(1, 1, 3, 3), {0, 1, 0, 1, 0, 0});      // y = x
    ExpectMatrixNear(Mirror(4, 4, 4, 4), kIdentity);               // no line
}

TEST(PlacementMatrix, MirrorAboutASlantedLineIsAnExactReflection) {
    const Matrix m = Mirror(100, 200, 100 + 866.0254, 200 + 500);  // 30 degrees
    Matrix twice;
    MatrixMultiply(twice.data(), m.data(), m.data());
    ExpectMatrixNear(twice, kIdentity);
    EXPECT_NEAR(MatrixDeterminant(m.data()), -1, 1e-12);
    double xs[] = {100 + 2 * 866.0254};
    double ys[] = {200 + 2 * 500.0};
    MatrixTransformDoubles(xs, ys, 1, m.data());  // a point on the line stays
    EXPECT_NEAR(xs[0], 100 + 2 * 866.0254, 1e-9);
    EXPECT_NEAR(ys[0], 1200, 1e-9);
}
