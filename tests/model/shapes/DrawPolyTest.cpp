#include "model/shapes/DrawPoly.h"

#include <gtest/gtest.h>

#include <memory>

#include "ShapeTestSupport.h"
#include "model/doc/DrawDoc.h"
#include "support/TestSupport.h"

using namespace shapetest;

namespace {

std::unique_ptr<CDrawPoly> MakePoly(std::initializer_list<CPoint> points, DWORD flags) {
    auto poly = std::make_unique<CDrawPoly>(CRect(0, 0, 0, 0));
    poly->SetFlags(flags, 0xFFFFFFFF);
    for (const CPoint& p : points)
        poly->AddPoint(p);
    return poly;
}

std::vector<CPoint> PointsOf(const CDrawPoly& poly) {
    return std::vector<CPoint>(poly.GetPoints(), poly.GetPoints() + poly.GetPointCount());
}

const std::string kPen = "pen=solid/0/0x000000";
const std::string kHead = "pen=solid/0/0x000000 brush=solid/0x000000 fill=alternate rop=13";

}  // namespace

TEST(DrawPoly, RecordHoldsCountCapacityAndPoints) {
    auto poly = MakePoly({{0, 0}, {100, 0}, {100, -100}}, 0x12);
    const Bytes expected = Concat({NewClassTag("CDrawPoly"), Le32(0), Le32(-100), Le32(100),
                                   Le32(0), Le32(0x12), Le16(0), Le16(0), Le16(3), Le16(10),
                                   Le32(0), Le32(0), Le32(100), Le32(0), Le32(100), Le32(-100)});
    EXPECT_EQ(StoreObject(poly.get()), expected) << testsupport::HexDump(StoreObject(poly.get()));
    EXPECT_EQ(StoreObject(RoundTrip(*poly).get()), expected);
}

TEST(DrawPoly, AddingPointsSkipsRepeatsAndGrowsByTenInsertingKeepsTheBounds) {
    auto poly = MakePoly({{0, 0}, {0, 0}, {5, 5}}, 0x12);
    EXPECT_EQ(poly->GetPointCount(), 2);
    for (int i = 2; i < 11; ++i)
        poly->AddPoint(CPoint(i * 10, 0));
    const Bytes bytes = StoreObject(poly.get());
    const size_t counts = NewClassTag("CDrawPoly").size() + 24;
    EXPECT_EQ(Bytes(bytes.begin() + counts, bytes.begin() + counts + 4),
              Concat({Le16(11), Le16(20)}));
    EXPECT_EQ(poly->GetPosition(), CRect(0, 0, 100, 5));

    poly->RemovePoint(0);
    EXPECT_EQ(poly->GetPointCount(), 10);
    EXPECT_EQ(poly->GetPoint(0), CPoint(5, 5));
    EXPECT_EQ(poly->GetPoints()[10], CPoint(0x7FFFFFFF, 0x7FFFFFFF));

    // Inserting into an empty polyline simply appends.
    CDrawPoly empty(CRect(0, 0, 0, 0));
    empty.InsertPoint(0, 7, 8);
    EXPECT_EQ(PointsOf(empty), std::vector<CPoint>{CPoint(7, 8)});
}

TEST(DrawPoly, LoadingChecksTheCountAgainstTheRecord) {
    const Bytes header = Concat({NewClassTag("CDrawPoly"), Le32(0), Le32(0), Le32(10), Le32(10),
                                 Le32(0x12), Le16(0), Le16(0)});
    // Capacity below the count: room is made for the count.
    const Bytes small = Concat({header, Le16(2), Le16(1), Le32(1), Le32(2), Le32(3), Le32(4)});
    const auto loaded = LoadObject(small, RUNTIME_CLASS(CDrawPoly));
    const auto* poly = dynamic_cast<const CDrawPoly*>(loaded.get());
    ASSERT_TRUE(poly);
    EXPECT_EQ(PointsOf(*poly), (std::vector<CPoint>{{1, 2}, {3, 4}}));
    EXPECT_GE(poly->GetCapacity(), 2);

    // A count beyond the record is refused before anything is allocated for it.
    const Bytes missing = Concat({header, Le16(0xFFFF), Le16(0xFFFF), Le32(1), Le32(2)});
    EXPECT_THROW(LoadObject(missing, RUNTIME_CLASS(CDrawPoly)), CArchiveException);
}

// The capacity is kept as the record states it, however few points are held.
TEST(DrawPoly, TheCapacityComesBackAsReadAndGrowsByTenFromThere) {
    const Bytes header = Concat({NewClassTag("CDrawPoly"), Le32(0), Le32(0), Le32(10), Le32(10),
                                 Le32(0x12), Le16(0), Le16(0)});
    const Bytes wire = Concat({header, Le16(2), Le16(10), Le32(0), Le32(0), Le32(10), Le32(10)});
    const auto loaded = LoadObject(wire, RUNTIME_CLASS(CDrawPoly));
    auto* poly = dynamic_cast<CDrawPoly*>(loaded.get());
    ASSERT_TRUE(poly);
    EXPECT_EQ(poly->GetCapacity(), 10);
    EXPECT_EQ(StoreObject(poly), wire);

    // Past the two points held inside: the capacity of the record is used up first.
    for (int i = 2; i < 10; ++i)
        poly->AddPoint(CPoint(10 * i, 0));
    EXPECT_EQ(poly->GetCapacity(), 10);
    poly->AddPoint(CPoint(100, 5));
    EXPECT_EQ(poly->GetPointCount(), 11);
    EXPECT_EQ(poly->GetCapacity(), 20);
    EXPECT_EQ(poly->GetPoint(1), CPoint(10, 10));
    EXPECT_EQ(poly->GetPoint(10), CPoint(100, 5));

    // An empty polyline states no capacity; its first point raises it to ten.
    CDrawPoly empty(CRect(0, 0, 0, 0));
    EXPECT_EQ(empty.GetCapacity(), 0);
    empty.AddPoint(CPoint(1, 1));
    EXPECT_EQ(empty.GetCapacity(), 10);
}

TEST(DrawPoly, CopiesKeepPointsAndCapacityBeyondTheRoomInside) {
    auto poly = MakePoly({{0, 0}, {10, 0}, {10, -10}, {20, -10}, {20, -20}}, 0x12);
    poly->InsertPoint(1, 5, 0);
    EXPECT_EQ(PointsOf(*poly),
              (std::vector<CPoint>{{0, 0}, {5, 0}, {10, 0}, {10, -10}, {20, -10}, {20, -20}}));
    const Bytes record = StoreObject(poly.get());

    std::unique_ptr<CDrawObj> clone(poly->Clone(nullptr));
    poly->RemovePoint(0);
    poly->OffsetBy(CSize(1, 1));
    EXPECT_EQ(StoreObject(clone.get()), record);

    CDrawPoly geometry(CRect(0, 0, 0, 0));
    geometry.SetFlags(0x12, 0xFFFFFFFF);  // the flags are not geometry
    geometry.CopyGeometryFrom(clone.get());
    EXPECT_EQ(StoreObject(&geometry), record);
    EXPECT_EQ(StoreObject(RoundTrip(geometry).get()), record);

    // A three-point record holds room for its three points only, and grows when added to.
    const Bytes header = Concat({NewClassTag("CDrawPoly"), Le32(0), Le32(0), Le32(10), Le32(10),
                                 Le32(0x12), Le16(0), Le16(0)});
    const auto loaded = LoadObject(
        Concat({header, Le16(3), Le16(3), Le32(1), Le32(1), Le32(2), Le32(2), Le32(3), Le32(3)}),
        RUNTIME_CLASS(CDrawPoly));
    auto* three = dynamic_cast<CDrawPoly*>(loaded.get());
    ASSERT_TRUE(three);
    three->AddPoint(CPoint(4, 4));
    EXPECT_EQ(three->GetCapacity(), 13);
    EXPECT_EQ(PointsOf(*three), (std::vector<CPoint>{{1, 1}, {2, 2}, {3, 3}, {4, 4}}));
}

TEST(DrawPoly, KindsAndHandleCounts) {
    const auto four = [](DWORD flags) {
        return MakePoly({{0, 0}, {100, 0}, {100, 100}, {0, 100}}, flags);
    };
    EXPECT_EQ(four(0x12)->GetHandleCount(), 7);
    EXPECT_EQ(four(0x2)->GetHandleCount(), 8);
    auto bezier = MakePoly({{0, 0}, {1, 9}, {2, 9}, {3, 0}, {4, -9}, {5, -9}, {6, 0}}, 0x1012);
    EXPECT_EQ(bezier->GetHandleCount(), 7);
    EXPECT_EQ(bezier->GetObjType(), kObjBezier);
    EXPECT_EQ(MakePoly({{5, 5}}, 0x12)->GetHandleCount(), 1);
    EXPECT_EQ(four(0x2)->GetHandle(8), CPoint(0, 0));  // a segment handle ends its segment
}

TEST(DrawPoly, SelectedHandlesAndSegmentsAreHit) {
    auto poly = MakePoly({{0, 0}, {20, 0}, {1000, 0}, {1000, -1000}}, 0x12);
    FakeView view;
    // Points 1 and 2 share a handle square: within a group the higher number wins.
    EXPECT_EQ(poly->HitTest(CPoint(10, -5), &view, TRUE), 2);
    EXPECT_EQ(poly->HitTest(CPoint(1000, -1000), &view, TRUE), 4);
    EXPECT_EQ(poly->HitTest(CPoint(500, -10), &view, TRUE), 4 + 2);
    EXPECT_EQ(poly->HitTest(CPoint(1020, -500), &view, TRUE), 4 + 3);
    EXPECT_EQ(poly->HitTest(CPoint(500, -100), &view, TRUE), 0);
}

TEST(DrawPoly, DraggingPointsAndSegments) {
    auto bezier = MakePoly(
        {{0, 0}, {0, 100}, {100, 100}, {100, 0}, {100, -100}, {200, -100}, {200, 0}}, 0x1012);
    bezier->MoveHandleTo(4, CPoint(110, 10), nullptr);
    EXPECT_EQ(bezier->GetPoint(2), CPoint(110, 110));
    EXPECT_EQ(bezier->GetPoint(3), CPoint(110, 10));
    EXPECT_EQ(bezier->GetPoint(4), CPoint(110, -90));
    bezier->MoveHandleTo(2, CPoint(5, 105), nullptr);
    EXPECT_EQ(bezier->GetPoint(0), CPoint(0, 0));
    EXPECT_EQ(bezier->GetPoint(1), CPoint(5, 105));

    // The middle segment of a staircase moves parallel; its neighbours stretch.
    CDrawDoc doc;
    auto stairs = MakePoly({{100, -100}, {100, -200}, {300, -200}, {300, -300}}, 0x12);
    stairs->SetDocument(&doc);
    stairs->MoveHandleTo(4 + 2, CPoint(200, -250), nullptr);
    EXPECT_EQ(PointsOf(*stairs),
              (std::vector<CPoint>{{100, -100}, {100, -250}, {300, -250}, {300, -300}}));
    EXPECT_EQ(stairs->GetPosition(), CRect(100, -300, 300, -100));
    // Off the sheet (x below 0): nothing moves.
    const std::vector<CPoint> before = PointsOf(*stairs);
    stairs->MoveHandleTo(4 + 1, CPoint(-50, -170), nullptr);
    EXPECT_EQ(PointsOf(*stairs), before);
}

// A point handle anchors at the nearer neighbour. Segment 2 of a Z runs from (100, 0) to
// (100, 100); its candidates lie level with the drag, as far across as the next segment
// reaches (200) or the previous one (0).
TEST(DrawPoly, AnchorsForConstrainedDrags) {
    auto square = MakePoly({{0, 0}, {100, 0}, {100, 100}, {0, 100}}, 0x2);
    auto zed = MakePoly({{0, 0}, {100, 0}, {100, 100}, {200, 100}}, 0x2);
    const struct {
        CDrawPoly* poly;
        int handle;
        CPoint drag;
        CPoint anchor;
    } cases[] = {{square.get(), 2, {90, 90}, {100, 100}},
                 {square.get(), 2, {10, 10}, {0, 0}},
                 {zed.get(), 4 + 2, {150, 10}, {200, 10}},
                 {zed.get(), 4 + 2, {40, 95}, {0, 95}},
                 {square.get(), 0, {1, 1}, {kNoAnchor, kNoAnchor}}};
    for (const auto& c : cases) {
        CPoint point = c.drag;
        c.poly->GetAnchorPoint(&point, c.handle);
        EXPECT_EQ(point, c.anchor) << c.handle << " " << c.drag.x << "," << c.drag.y;
    }
}

TEST(DrawPoly, MovingRotatingAndMirroringKeepTheBounds) {
    auto upright = MakePoly({{10, 0}, {10, 100}, {10, 200}}, 0x12);
    upright->MoveTo(CRect(60, 0, 60, 400), nullptr);
    EXPECT_EQ(PointsOf(*upright), (std::vector<CPoint>{{60, 0}, {60, 200}, {60, 400}}));

    auto poly = MakePoly({{0, 0}, {100, 0}, {100, 50}}, 0x12);
    poly->MoveTo(CRect(0, 0, 200, 100), nullptr);
    poly->Rotate(900, 0, 0, nullptr);
    EXPECT_EQ(PointsOf(*poly), (std::vector<CPoint>{{0, 0}, {0, 200}, {-100, 200}}));
    EXPECT_EQ(poly->GetPosition(), CRect(-100, 0, 0, 200));

    CRect bounds;
    auto arrows = MakePoly({{0, 0}, {100, 0}}, 0x312 | 0xC00);
    arrows->GetBoundingRect(bounds);
    EXPECT_EQ(bounds, CRect(-41, -41, 141, 41));
}

TEST(DrawPoly, IntersectionOfPolylinesAndPolygons) {
    const CRect inside(40, 40, 60, 60);
    auto open = MakePoly({{0, 100}, {0, 0}, {100, 0}, {100, 100}}, 0x12);
    EXPECT_FALSE(open->Intersects(inside));
    auto filled = MakePoly({{0, 100}, {0, 0}, {100, 0}, {100, 100}}, 0x3);
    EXPECT_TRUE(filled->Intersects(inside));
    EXPECT_FALSE(CDrawPoly().Intersects(inside));
    auto outlined = MakePoly({{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}}, 0x2);
    EXPECT_TRUE(outlined->Intersects(CRect(-100, 400, 100, 600)));  // across the closing edge
}

TEST(DrawPoly, ClosedObjectsSnapToTheirClosingSegmentFirst) {
    auto closed = MakePoly({{0, 0}, {100, 0}, {100, 100}}, 0x2);
    FakeSnapGrid grid;
    CPoint point(50, 50);
    double best = 100;
    EXPECT_EQ(closed->SnapPoint(point, &grid, best), closed.get());
    EXPECT_EQ(grid.segments,
              (std::vector<std::string>{"100,100-0,0", "0,0-100,0", "100,0-100,100"}));
    EXPECT_EQ(best, 4);

    auto open = MakePoly({{0, 0}, {100, 0}, {100, 100}}, 0x12);
    grid.segments.clear();
    best = 3;
    EXPECT_EQ(open->SnapPoint(point, &grid, best), nullptr);
    EXPECT_EQ(grid.segments, (std::vector<std::string>{"0,0-100,0", "100,0-100,100"}));
}

// A point on a grid point (best 0) snaps to a wire or line running through it.
TEST(DrawPoly, APointOnTheGridSnapsToASegmentThroughIt) {
    struct OnTheSegment : FakeSnapGrid {
        double TrySegment(CPoint&, int, int, int, int, double) override { return 0; }
    };
    auto line = MakePoly({{0, 0}, {0, -1000}}, 0x12);
    OnTheSegment grid;
    CPoint point(0, -500);
    double best = 0;
    EXPECT_EQ(line->SnapPoint(point, &grid, best), line.get());
    EXPECT_EQ(point, CPoint(0, -500));
}

struct PolyDrawCase {
    const char* name;
    std::unique_ptr<CDrawPoly> poly;
    std::vector<double> matrix;
    std::vector<std::string> expected;
};

TEST(DrawPoly, DrawsPolylinesPolygonsAndCurves) {
    const std::string line = kPen + " rop=13";
    std::vector<PolyDrawCase> cases;
    cases.push_back({"polyline with a wide head at each end, not shortened",
                     MakePoly({{0, 0}, {100, 0}, {100, 100}}, 0xF12),
                     {},
                     {"Polyline 0,0 100,0 100,100 " + line, "Polygon 40,16 0,0 40,-16 " + kHead,
                      "Polygon 116,60 100,100 84,60 " + kHead}});
    // A single point goes out as a polygon of one point, which a context refuses as GDI does.
    cases.push_back({"single point of an open polyline", MakePoly({{5, 5}}, 0x12), {}, {}});
    auto longLine = MakePoly({}, 0x12);
    std::string expected = "Polyline";
    for (int i = 0; i < 25; ++i) {
        longLine->AddPoint(CPoint(i, i % 2));
        expected += " " + std::to_string(i + 1) + "," + std::to_string(i % 2);
    }
    cases.push_back({"more points than the stack buffer",
                     std::move(longLine),
                     {1, 0, 1, 0, 1, 0},
                     {expected + " " + line}});
    for (PolyDrawCase& c : cases) {
        const double* matrix = c.matrix.empty() ? nullptr : c.matrix.data();
        EXPECT_EQ(Record([&](CDC& dc) { c.poly->Draw(&dc, matrix); }), c.expected) << c.name;
    }
}

TEST(DrawPoly, ExportsPolylinesAndArrowHeadsForDrawingExport) {
    RecordingDxf dxf;
    MakePoly({{0, 0}, {100, 0}, {100, 100}}, 0x912)->ExportDxf(&dxf, 2, nullptr);
    MakePoly({{0, 0}, {100, 0}, {100, 100}}, 0x2)->ExportDxf(&dxf, 2, nullptr);
    MakePoly({{5, 5}}, 0x12)->ExportDxf(&dxf, 2, nullptr);
    MakePoly({{0, 0}, {0, 1}, {1, 1}, {1, 0}}, 0x1012)->ExportDxf(&dxf, 2, nullptr);
    const std::vector<std::string> expected = {
        "Polyline 0,0 100,0 100,100", "Arrow 0,0 -1,0 kind=1", "Arrow 100,100 0,1 kind=2",
        "ClosedPolyline 0,0 100,0 100,100", "ClosedPolyline 5,5"};
    EXPECT_EQ(dxf.calls, expected);
}
