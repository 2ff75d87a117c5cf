#include "model/geometry/PlaneGeometry.h"

#include <gtest/gtest.h>

#include <climits>

#include "platform/Geometry.h"

namespace {

const POINT kSquare[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
const POINT kDiamond[] = {{0, 10}, {10, 0}, {20, 10}, {10, 20}};
// A U: two arms of height 20 joined below y = 10, the notch between them open upwards.
const POINT kU[] = {{0, 0}, {30, 0}, {30, 20}, {20, 20}, {20, 10}, {10, 10}, {10, 20}, {0, 20}};
const RECT kWide{-100, -100, 100, 100};

}  // namespace

TEST(PlaneGeometry, PointInPolygon) {
    EXPECT_EQ(PtInPolygon(kSquare, 4, 5, 5, nullptr), 1);
    EXPECT_EQ(PtInPolygon(kSquare, 4, 0, 5, nullptr), 0);  // on the outline
    EXPECT_EQ(PtInPolygon(kSquare, 4, 10, 5, &kWide), 0);
    const RECT elsewhere{20, 20, 30, 30};
    EXPECT_EQ(PtInPolygon(kSquare, 4, 5, 5, &elsewhere), 0);
    EXPECT_EQ(PtInPolygon(kSquare, 0, 5, 5, &kWide), 0);

    // A ray through vertices counts them once.
    EXPECT_EQ(PtInPolygon(kDiamond, 4, 5, 10, nullptr), 1);
    EXPECT_EQ(PtInPolygon(kDiamond, 4, 0, 20, &kWide), 0);  // touches the top vertex

    EXPECT_EQ(PtInPolygon(kU, 8, 5, 10, nullptr), 1);   // level with the notch's floor
    EXPECT_EQ(PtInPolygon(kU, 8, 15, 10, nullptr), 0);  // on the floor
    EXPECT_EQ(PtInPolygon(kU, 8, 15, 15, nullptr), 0);  // in the notch
}

TEST(PlaneGeometry, EdgeCrossingResults) {
    EXPECT_EQ(EdgeCrossing(0, 5, 10, 0, 10, 10), 1);
    EXPECT_EQ(EdgeCrossing(10, 5, 10, 0, 10, 10), -1);
    EXPECT_EQ(EdgeCrossing(0, 0, 10, 0, 10, 10), -2);
    EXPECT_EQ(EdgeCrossing(0, 10, 10, 0, 10, 10), 0);
    EXPECT_EQ(EdgeCrossing(5, 3, 0, 3, 10, 3), -1);  // on a horizontal edge
    EXPECT_EQ(EdgeCrossing(15, 3, 10, 3, 0, 3), 0);
    // Large sheets: the product of the steps exceeds 32 bits.
    EXPECT_EQ(EdgeCrossing(99999, 0, 0, -100000, 200000, 100000), 1);
    EXPECT_EQ(EdgeCrossing(INT_MIN, 0, INT_MAX, INT_MIN, INT_MAX, INT_MAX), 1);
}

TEST(PlaneGeometry, SegmentsCrossAndIntersect) {
    EXPECT_TRUE(SegmentsCross(0, 0, 10, 10, 0, 10, 10, 0));
    EXPECT_FALSE(SegmentsCross(0, 0, 10, 10, 20, 0, 0, 40));
    EXPECT_FALSE(SegmentsCross(0, 0, 10, 0, 5, 0, 15, 0));  // collinear, overlapping
    // Coordinates 200000 apart: products beyond 32 bits.
    EXPECT_TRUE(SegmentsCross(-100000, -100000, 100000, 100000, -100000, 100000, 100000, -100000));
    EXPECT_TRUE(
        SegmentsCross(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MAX, INT_MAX, INT_MIN));

    EXPECT_TRUE(SegmentsIntersect(0, 0, 10, 10, 0, 10, 10, 0));
    EXPECT_TRUE(SegmentsIntersect(0, 0, 10, 0, 10, 0, 10, 10));  // shared end
    EXPECT_FALSE(SegmentsIntersect(0, 0, 10, 0, 0, 1, 10, 1));   // parallel
    EXPECT_FALSE(SegmentsIntersect(0, 0, 10, 0, 0, 0, 10, 0));   // collinear
}

TEST(PlaneGeometry, SegmentIntersectionPoint) {
    POINT p{-1, -1};
    EXPECT_TRUE(SegmentIntersection(0, 0, 10, 10, 0, 10, 10, 0, p));
    EXPECT_EQ(CPoint(p), CPoint(5, 5));
    EXPECT_FALSE(SegmentIntersection(0, 0, 1, 1, 10, 0, 10, 1, p));  // lines meet outside
    EXPECT_EQ(CPoint(p), CPoint(10, 10));
    EXPECT_FALSE(SegmentIntersection(0, 0, 10, 0, 0, 5, 10, 5, p));  // parallel: unchanged
    EXPECT_EQ(CPoint(p), CPoint(10, 10));
    // Truncation toward zero, not downward.
    EXPECT_TRUE(SegmentIntersection(0, 0, -3, -1, -1, 0, -1, -5, p));
    EXPECT_EQ(CPoint(p), CPoint(-1, 0));
    // Nearly parallel lines meet far beyond the sheet: the point saturates.
    EXPECT_FALSE(SegmentIntersection(0, 0, INT_MAX, 1000, 0, 10, INT_MAX, 1001, p));
    EXPECT_EQ(p.x, INT_MAX);
}

TEST(PlaneGeometry, ProjectOnSegment) {
    POINT p{5, 7};
    EXPECT_TRUE(ProjectOnSegment(p, 0, 0, 10, 0));
    EXPECT_EQ(CPoint(p), CPoint(5, 0));
    p = {-3, 4};
    EXPECT_TRUE(ProjectOnSegment(p, 0, 0, 10, 0));
    EXPECT_EQ(CPoint(p), CPoint(0, 0));
    p = {-1, 0};  // lands on (-0.5, -0.5), rounded half up
    EXPECT_TRUE(ProjectOnSegment(p, 0, 0, -2, -2));
    EXPECT_EQ(CPoint(p), CPoint(0, 0));
    p = {3, 3};
    EXPECT_FALSE(ProjectOnSegment(p, 1, 1, 1, 1));
    EXPECT_EQ(CPoint(p), CPoint(3, 3));
}

TEST(PlaneGeometry, SegmentMeetsRect) {
    const RECT r{0, 0, 100, 100};
    EXPECT_TRUE(SegmentMeetsRect(r, 10, 50, 90, 50));
    EXPECT_TRUE(SegmentMeetsRect(r, -50, 100, 0, 100));  // reaches the corner
    EXPECT_FALSE(SegmentMeetsRect(r, -20, 50, -10, 50));
    EXPECT_TRUE(SegmentMeetsRect(r, 50, -10, 50, 110));
    EXPECT_TRUE(SegmentMeetsRect(r, -50, 50, 50, 150));   // through a corner
    EXPECT_FALSE(SegmentMeetsRect(r, -50, 60, 60, 170));  // passes beside it
}

TEST(PlaneGeometry, PolygonsAndPolylinesMeetRects) {
    const POINT triangle[] = {{-100, -100}, {300, -100}, {-100, 300}};
    const RECT r{10, 10, 20, 20};
    EXPECT_TRUE(PolygonMeetsRect(triangle, 3, r, TRUE));  // the rect lies inside
    EXPECT_FALSE(PolygonMeetsRect(triangle, 3, r, FALSE));
    EXPECT_FALSE(PolylineMeetsRect(triangle, 3, r));

    const RECT flipped{20, 20, 10, 10};
    const POINT across[] = {{0, 15}, {30, 15}};
    EXPECT_TRUE(PolylineMeetsRect(across, 2, flipped));
    // Only the closing edge of the polygon crosses the rect; it counts filled or not.
    const POINT hook[] = {{0, 15}, {0, 100}, {30, 100}, {30, 15}};
    EXPECT_FALSE(PolylineMeetsRect(hook, 4, r));
    EXPECT_TRUE(PolygonMeetsRect(hook, 4, r, FALSE));
    EXPECT_TRUE(PolygonMeetsRect(hook, 4, r, TRUE));
    EXPECT_FALSE(PolygonMeetsRect(triangle, 0, r, TRUE));

    RECT bounds;
    PointsBoundingRect(kDiamond, 0, bounds);  // empty: inverted, so any union replaces it
    EXPECT_EQ(CRect(bounds), CRect(INT_MAX, INT_MAX, INT_MIN, INT_MIN));
    PointsBoundingRect(hook, 4, bounds);
    EXPECT_EQ(CRect(bounds), CRect(0, 15, 30, 100));
}
