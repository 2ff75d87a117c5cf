#include "model/shapes/PolyPoints.h"

#include <gtest/gtest.h>

#include <utility>

TEST(PolyPoints, GrowingKeepsThePointsAndCopiesAndMovesOwnTheirs) {
    CPolyPoints points;
    EXPECT_EQ(points.GetRoom(), 2);
    points[0] = CPoint(1, 2);
    points[1] = CPoint(3, 4);
    points.Reserve(1);  // never shrinks
    EXPECT_EQ(points.GetRoom(), 2);
    points.Reserve(12);
    EXPECT_EQ(points.GetRoom(), 12);
    EXPECT_EQ(points[1], CPoint(3, 4));
    EXPECT_EQ(points[11], CPoint(0, 0));  // fresh room reads as zero points

    CPolyPoints copy(points);
    points[1] = CPoint(9, 9);
    EXPECT_EQ(copy.GetRoom(), 12);
    EXPECT_EQ(copy[1], CPoint(3, 4));

    CPolyPoints moved(std::move(copy));
    EXPECT_EQ(moved[1], CPoint(3, 4));
    // The moved-from storage is whole again: two points inside, ready to grow.
    EXPECT_EQ(copy.GetRoom(), 2);
    copy.Reserve(4);
    copy[3] = CPoint(7, 7);
    EXPECT_EQ(copy[3], CPoint(7, 7));
}
