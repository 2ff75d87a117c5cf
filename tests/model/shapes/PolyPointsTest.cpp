#include "model/shapes/PolyPoints.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

CPolyPoints Filled(int count) {
    CPolyPoints points;
    points.Reserve(count);
    for (int i = 0; i < count; ++i)
        points[static_cast<size_t>(i)] = CPoint(i, -i);
    return points;
}

}  // namespace

TEST(PolyPoints, TwoPointsFitInsideAndGrowingKeepsThePointsHeld) {
    CPolyPoints points;
    EXPECT_EQ(points.GetRoom(), 2);
    EXPECT_EQ(points[0], CPoint(0, 0));
    points[0] = CPoint(1, 2);
    points[1] = CPoint(3, 4);

    points.Reserve(1);  // never shrinks
    EXPECT_EQ(points.GetRoom(), 2);
    points.Reserve(12);
    EXPECT_EQ(points.GetRoom(), 12);
    EXPECT_EQ(points[0], CPoint(1, 2));
    EXPECT_EQ(points[1], CPoint(3, 4));
    EXPECT_EQ(points[11], CPoint(0, 0));  // fresh room reads as zero points
    points.Reserve(30);
    EXPECT_EQ(points[1], CPoint(3, 4));
    EXPECT_EQ(points.data(), points.begin());
}

TEST(PolyPoints, CopiesAndMovesOwnTheirPoints) {
    for (int count : {2, 5}) {
        CPolyPoints source = Filled(count);
        CPolyPoints copy(source);
        source[1] = CPoint(99, 99);
        EXPECT_EQ(copy.GetRoom(), count);
        EXPECT_EQ(copy[1], CPoint(1, -1)) << count;
        EXPECT_EQ(copy[static_cast<size_t>(count) - 1], CPoint(count - 1, 1 - count));

        CPolyPoints assigned;
        assigned = copy;
        const CPolyPoints& same = assigned;
        assigned = same;
        EXPECT_EQ(assigned[static_cast<size_t>(count) - 1], CPoint(count - 1, 1 - count));

        CPolyPoints moved(std::move(copy));
        EXPECT_EQ(moved.GetRoom(), count);
        EXPECT_EQ(moved[1], CPoint(1, -1));
        // The moved-from storage is still whole: two points inside, ready to grow again.
        EXPECT_EQ(copy.GetRoom(), 2);
        copy.Reserve(4);
        copy[3] = CPoint(7, 7);
        EXPECT_EQ(copy[3], CPoint(7, 7));

        assigned = std::move(moved);
        EXPECT_EQ(assigned.GetRoom(), count);
        EXPECT_EQ(assigned[0], CPoint(0, 0));
    }
}
