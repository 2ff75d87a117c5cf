#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NetTestSheet.h"
#include "model/shapes/ShapeTestSupport.h"

using namespace nettest;
using namespace shapetest;

namespace {

std::vector<CPoint> PointsOf(const CWire& wire) {
    return {wire.GetPoints(), wire.GetPoints() + wire.GetPointCount()};
}

TEST(WireRouting, CleanUpRemovesRepeatsAndStraightRuns) {
    struct Case {
        std::vector<CPoint> in;
        std::vector<CPoint> out;
    };
    const Case cases[] = {
        {{{0, 0}, {0, 0}, {100, 0}, {200, 0}, {200, 100}}, {{0, 0}, {200, 0}, {200, 100}}},
        {{{0, 0}, {0, 0}}, {{0, 0}, {0, 0}}},
        {{{0, 0}, {100, 0}, {200, 0}}, {{0, 0}, {200, 0}}},
    };
    for (const Case& c : cases) {
        CWire wire;
        for (const CPoint& p : c.in)
            wire.InsertPoint(wire.GetPointCount(), p.x, p.y);
        wire.RemoveRedundantVertices();
        EXPECT_EQ(PointsOf(wire), c.out);
    }
}

TEST(WireRouting, ElbowFollowsTheLongerLeg) {
    struct Case {
        CPoint to;
        CPoint elbow;
    };
    for (const Case& c : {Case{{500, 200}, {500, 0}}, Case{{200, 500}, {0, 500}}}) {
        NetSheet sheet;
        CWire* wire = sheet.Place({{0, 0}});
        wire->InsertPoint(1, 0, 0);
        wire->InsertPoint(2, 0, 0);
        wire->RouteToPoint(3, c.to, 100, nullptr);
        EXPECT_EQ(wire->GetPoint(1), c.elbow);
        EXPECT_EQ(wire->GetPoint(2), c.to);
    }
}

TEST(WireRouting, ElbowAvoidsObstacles) {
    NetSheet sheet;
    sheet.Place({{250, -50}, {250, 50}});  // across the horizontal-first leg
    CWire* wire = sheet.Place({{0, 0}});
    wire->InsertPoint(1, 0, 0);
    wire->InsertPoint(2, 0, 0);
    wire->RouteToPoint(3, CPoint(500, 200), 100, nullptr);
    EXPECT_EQ(wire->GetPoint(1), CPoint(0, 200));
}

// With both elbows blocked, the one whose legs pass over no other object's connection point
// is taken; when both pass over one, two elbows across a grid line between the ends that pass
// over none take their place, the longer leg first.
TEST(WireRouting, ElbowKeepsOffOtherObjectsEnds) {
    NetSheet sheet;
    sheet.PlaceSymbol(CPoint(500, 100), "1");  // its pin's end on the vertical leg of (500, 0)
    sheet.Place({{250, 150}, {250, 250}});     // across the horizontal leg of (0, 200)
    CWire* wire = sheet.Place({{0, 0}});
    wire->InsertPoint(1, 0, 0);
    wire->InsertPoint(2, 0, 0);
    wire->RouteToPoint(3, CPoint(500, 200), 100, nullptr);
    EXPECT_EQ(wire->GetPoint(1), CPoint(0, 200));

    sheet.Place({{0, 100}, {-300, 100}});  // its end on the vertical leg of (0, 200)
    EXPECT_EQ(wire->RouteToPoint(3, CPoint(500, 201), 100, nullptr), 4);
    const std::vector<CPoint> points = PointsOf(*wire);
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[0], CPoint(0, 0));
    EXPECT_EQ(points[3], CPoint(500, 201));
    EXPECT_EQ(points[1].y, 0);
    EXPECT_EQ(points[2], CPoint(points[1].x, 201));
    EXPECT_TRUE(points[1].x > 0 && points[1].x < 500 && points[1].x % 100 == 0) << points[1].x;
}

// A straight wire between two pins; the pin at its end moves diagonally.
TEST(WireRouting, FollowingAPinMakesAnElbow) {
    NetSheet sheet;
    CSymbol* left = sheet.PlaceSymbol(CPoint(0, 0), "1");
    CSymbol* right = sheet.PlaceSymbol(CPoint(1000, 0), "2");
    CWire* wire = sheet.Place({{0, 0}, {1000, 0}});
    wire->SetStartObject(NetSheet::PinOf(left));
    wire->SetEndObject(NetSheet::PinOf(right));
    right->OffsetBy(CSize(200, 300));
    wire->FollowObject(NetSheet::PinOf(right));
    EXPECT_EQ(PointsOf(*wire), (std::vector<CPoint>{{0, 0}, {500, 0}, {500, 300}, {1200, 300}}));
}

// Dragging the segment handle of an end on a pin keeps the end on the pin and draws a stub
// square to the segment from it; a free end moves square as on any polyline.
TEST(WireRouting, SegmentDragAtAPinEndDrawsAStub) {
    struct Case {
        std::initializer_list<CPoint> points;
        bool startOnPin;
        bool endOnPin;
        int segment;
        std::vector<CPoint> out;
    };
    // On the sheet, whose y runs negative: the points from y -1000, dragged to y -700.
    const Case cases[] = {
        {{{1000, -1000}, {2000, -1000}},
         true,
         true,
         1,
         {{1000, -1000}, {1000, -700}, {2000, -700}, {2000, -1000}}},
        {{{1000, -1000}, {2000, -1000}},
         true,
         false,
         1,
         {{1000, -1000}, {1000, -700}, {2000, -700}}},
        {{{1000, -1000}, {2000, -1000}},
         false,
         true,
         1,
         {{1000, -700}, {2000, -700}, {2000, -1000}}},
        {{{1000, -1000}, {2000, -1000}}, false, false, 1, {{1000, -700}, {2000, -700}}},
        {{{1000, -1000}, {2000, -1000}, {2000, -1500}},
         true,
         true,
         1,
         {{1000, -1000}, {1000, -700}, {2000, -700}, {2000, -1500}}},
        {{{1000, -1500}, {1000, -1000}, {2000, -1000}},
         true,
         true,
         2,
         {{1000, -1500}, {1000, -700}, {2000, -700}, {2000, -1000}}},
        // Dragged along its own line the segment stays, and so do the ends.
        {{{1000, -1000}, {2000, -1000}}, true, true, 1, {{1000, -1000}, {2000, -1000}}},
    };
    for (const Case& c : cases) {
        NetSheet sheet;
        CWire* wire = sheet.Place(c.points);
        const CPoint first = *c.points.begin();
        const CPoint last = *(c.points.end() - 1);
        if (c.startOnPin)
            wire->SetStartObject(NetSheet::PinOf(sheet.PlaceSymbol(first, "1")));
        if (c.endOnPin)
            wire->SetEndObject(NetSheet::PinOf(sheet.PlaceSymbol(last, "2")));
        const bool along = &c == &cases[std::size(cases) - 1];
        wire->MoveHandleTo(wire->GetPointCount() + c.segment,
                           along ? CPoint(1500, -1000) : CPoint(1500, -700), nullptr);
        EXPECT_EQ(PointsOf(*wire), c.out) << (&c - cases);
    }
}

TEST(WireRouting, JunctionWiresFollowTheMovedSegment) {
    NetSheet sheet;
    CSymbol* left = sheet.PlaceSymbol(CPoint(0, 0), "1");
    CSymbol* right = sheet.PlaceSymbol(CPoint(1000, 500), "2");
    CWire* wire = sheet.Place({{0, 0}, {500, 0}, {500, 500}, {1000, 500}});
    wire->SetStartObject(NetSheet::PinOf(left));
    wire->SetEndObject(NetSheet::PinOf(right));
    CWire* branch = sheet.Place({{1000, 800}, {800, 800}, {800, 500}});
    branch->SetEndObject(wire);
    right->OffsetBy(CSize(0, 100));
    wire->FollowObject(NetSheet::PinOf(right));
    EXPECT_EQ(PointsOf(*wire), (std::vector<CPoint>{{0, 0}, {500, 0}, {500, 600}, {1000, 600}}));
    EXPECT_EQ(branch->GetPointFromEnd(1, 0), CPoint(800, 600));
}

// An end on a bus is written as it is drawn: the wire's last leg as the bus entry.
TEST(WireRouting, DxfWritesBusEndsAsDrawnAndMarksJunctions) {
    NetSheet sheet;
    CWire* main = sheet.Place({{0, 0}, {1000, 0}});
    CBus* bus = sheet.Place<CBus>({{0, 1000}, {1000, 1000}});
    CWire* wire = sheet.Place({{500, 0}, {500, 500}, {600, 1000}});
    wire->SetStartObject(main);
    RecordingDxf dxf;
    wire->ExportDxf(&dxf, 1, nullptr);
    EXPECT_TRUE(dxf.calls.empty());
    wire->ExportDxf(&dxf, 2, nullptr);
    EXPECT_EQ(dxf.calls,
              (std::vector<std::string>{"Polyline 500,0 500,500 600,1000", "Circle 500,0 r=12"}));
    dxf.calls.clear();
    wire->SetStartObject(nullptr);
    wire->SetEndObject(bus);
    wire->ExportDxf(&dxf, 2, nullptr);
    std::string entry = "Polyline";
    for (const POINT& p : BusEntryPoints(CPoint(500, 500), CPoint(600, 1000), *bus))
        entry += " " + std::to_string(p.x) + "," + std::to_string(p.y);
    EXPECT_EQ(dxf.calls, (std::vector<std::string>{"Polyline 500,0 500,500", entry}));
}

}  // namespace
