#include "model/geometry/PointTransforms.h"

#include <gtest/gtest.h>

#include "platform/Geometry.h"

TEST(PointTransforms, RotateAboutTheOriginOrACentre) {
    POINT points[] = {{1000, 0}, {1000, 0}, {3, -4}};
    RotatePoints(points, 1, 900);
    RotatePoints(points + 1, 1, 450);
    RotatePoints(points + 2, 1, 1800);
    EXPECT_EQ(CPoint(points[0]), CPoint(0, 1000));
    EXPECT_EQ(CPoint(points[1]), CPoint(707, 707));
    EXPECT_EQ(CPoint(points[2]), CPoint(-3, 4));
    POINT p{110, 20};
    RotatePointsAbout(&p, 1, 900, 100, 20);
    EXPECT_EQ(CPoint(p), CPoint(100, 30));
}

TEST(PointTransforms, MirrorMovesByWholeUnits) {
    POINT points[] = {{0, 0}, {0, 3}};
    MirrorPoints(points, 2, 0, 0.5, 1, 0.5);  // y = 0.5
    EXPECT_EQ(CPoint(points[0]), CPoint(0, 1));
    EXPECT_EQ(CPoint(points[1]), CPoint(0, -2));

    POINT p{5, 7};
    MirrorPoints(&p, 1, 3, 0, 3, 10);  // x = 3
    EXPECT_EQ(CPoint(p), CPoint(1, 7));
    MirrorPoints(&p, 1, 2, 2, 2, 2);  // no line: unchanged
    EXPECT_EQ(CPoint(p), CPoint(1, 7));
}
