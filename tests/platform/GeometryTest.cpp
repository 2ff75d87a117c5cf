#include "platform/Geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

void ExpectRect(const CRect& r, int l, int t, int rt, int b) {
    EXPECT_EQ(r, CRect(l, t, rt, b)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}

}  // namespace

TEST(Geometry, RectangleMeasuresAndHalfOpenHits) {
    const CRect r(CPoint(10, 20), CSize(30, 40));
    ExpectRect(r, 10, 20, 40, 60);
    EXPECT_EQ(CRect(-3, -3, 0, 0).CenterPoint(), CPoint(-1, -1));
    EXPECT_EQ(CRect(INT_MAX - 2, 0, INT_MAX, 2).CenterPoint(), CPoint(INT_MAX - 1, 1));
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_TRUE(r.PtInRect(CPoint(39, 59)));
    EXPECT_FALSE(r.PtInRect(CPoint(40, 30)));
    EXPECT_FALSE(r.PtInRect(CPoint(20, 60)));
    EXPECT_TRUE(CRect(5, 9, 6, 5).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 9, 6, 5).IsRectNull());
    EXPECT_EQ(CRect(INT_MIN, 0, INT_MAX, 0).Width(), -1);  // wraps, no overflow
}

TEST(Geometry, IntersectionOfRectanglesThatDoNotMeetIsNull) {
    CRect out(1, 2, 3, 4);
    EXPECT_FALSE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));  // touching
    EXPECT_TRUE(out.IsRectNull());
    out.SetRect(1, 2, 3, 4);
    EXPECT_FALSE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 5, 8)));  // empty operand
    EXPECT_TRUE(out.IsRectNull());
    CRect r(0, 0, 10, 10);
    EXPECT_TRUE(r.IntersectRect(r, CRect(5, -5, 15, 5)));
    ExpectRect(r, 5, 0, 10, 5);
    ExpectRect(CRect(0, 0, 4, 4) & CRect(2, 2, 8, 8), 2, 2, 4, 4);
}

TEST(Geometry, UnionIgnoresEmptyRectangles) {
    CRect r(0, 0, 10, 10);
    EXPECT_TRUE(r.UnionRect(CRect(50, 50, 50, 60), r));
    ExpectRect(r, 0, 0, 10, 10);
    EXPECT_FALSE(r.UnionRect(CRect(5, 5, 5, 5), CRect(7, 7, 6, 9)));
    EXPECT_TRUE(r.IsRectNull());
    ExpectRect(CRect(0, 0, 4, 4) | CRect(2, -2, 8, 3), 0, -2, 8, 4);
}

TEST(Geometry, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(5, 1, -2), -3);
    EXPECT_EQ(MulDiv(-5, -1, -2), -3);
    EXPECT_EQ(MulDiv(4, 1, 3), 1);
    EXPECT_EQ(MulDiv(-80, 100, 72), -111);
    EXPECT_EQ(MulDiv(7, 3, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(MulDiv(INT_MIN, INT_MIN, INT_MIN), INT_MIN);
    EXPECT_EQ(MulDiv(100000, 100000, 10), 1000000000);
    EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDiv(INT_MIN, 1, -1), -1);
}

TEST(Geometry, RoundToLongIsFloorOfHalfUpAndSaturates) {
    EXPECT_EQ(RoundToLong(-0.5), 0);
    EXPECT_EQ(RoundToLong(2.5), 3);
    EXPECT_EQ(RoundToLong(-2.5), -2);
    EXPECT_EQ(RoundToLong(-2.51), -3);
    EXPECT_EQ(RoundToLong(1e12), INT_MAX);
    EXPECT_EQ(RoundToLong(-1e12), INT_MIN);
    EXPECT_EQ(RoundToLong(std::numeric_limits<double>::infinity()), INT_MAX);
    EXPECT_EQ(RoundToLong(std::nan("")), 0);
}
