#include "model/shapes/Ellipse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>

#include "ShapeTestSupport.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/geometry/VectorAngle.h"
#include "model/shapes/EllipseHitTest.h"
#include "support/TestSupport.h"

using namespace shapetest;

namespace {

std::unique_ptr<CEllipse> MakeArc(const CRect& rect, CPoint start, CPoint end, DWORD flags) {
    auto ellipse = std::make_unique<CEllipse>(rect);
    ellipse->SetArc(start, end);
    ellipse->SetFlags(flags, 0xFFFFFFFF);
    return ellipse;
}

size_t PointCount(const std::string& line) {
    std::istringstream words(line);
    std::string word;
    size_t count = 0;
    while (words >> word)
        count += word.find(',') != std::string::npos && word.find('=') == std::string::npos;
    return count;
}

const std::string kPen = "pen=solid/0/0x000000";
const std::string kHead = "pen=solid/0/0x000000 brush=solid/0x000000 fill=alternate rop=13";

}  // namespace

TEST(Ellipse, AngleFromVectorRangesOverHalfOpenTurn) {
    struct Case {
        double dy;
        double dx;
        int angle;
    };
    const Case cases[] = {{1, 0, 900},        {0, 0, -900},   {0, -1, 1800},
                          {0, 1, 0},          {1, -1, 1350},  {-1, -1, -1350},
                          {0.0005, -1, 1800}, {2000, 1, 900}, {1, 1.732, 300}};
    for (const Case& c : cases)
        EXPECT_EQ(AngleFromVector(c.dy, c.dx), c.angle) << c.dy << "," << c.dx;
}

// A new ellipse is whole (both arc points at the origin) with nine handles; a tenth appears
// when the arc points lie 10 apart in x or y. The record is the rectangle record (shape 6)
// and the two arc points.
TEST(Ellipse, NewEllipseTipHandlesAndRecord) {
    const CEllipse ellipse(CRect(0, 0, 1000, 1000));
    EXPECT_EQ(ellipse.GetHandleCount(), 9);
    EXPECT_EQ(MakeArc(CRect(0, 0, 100, 100), {0, 0}, {9, -9}, 0x12)->GetHandleCount(), 9);
    EXPECT_EQ(MakeArc(CRect(0, 0, 100, 100), {0, 0}, {0, -10}, 0x12)->GetHandleCount(), 10);

    auto arc = MakeArc(CRect(0, 0, 1000, 1000), {1000, 500}, {500, 1000}, 0x12);
    arc->SetRotation(450);
    const Bytes expected =
        Concat({NewClassTag("CEllipse"), Le32(0), Le32(0), Le32(1000), Le32(1000), Le32(0x12),
                Le16(0), Le16(0), Le16(6), Le32(160), Le32(160), Le32(450), Le32(1000), Le32(500),
                Le32(500), Le32(1000)});
    EXPECT_EQ(StoreObject(arc.get()), expected) << testsupport::HexDump(StoreObject(arc.get()));
    EXPECT_EQ(StoreObject(RoundTrip(*arc).get()), expected);
}

TEST(Ellipse, ArcHandlesProjectOntoTheEllipseAndTurnWithIt) {
    CEllipse ellipse(CRect(0, 0, 1000, 1000));
    ellipse.MoveHandleTo(9, CPoint(1500, 500), nullptr);
    EXPECT_EQ(ellipse.GetArcStart(), CPoint(1000, 500));
    ellipse.MoveHandleTo(10, CPoint(500, 900), nullptr);
    EXPECT_EQ(ellipse.GetArcEnd(), CPoint(500, 1000));

    // Rotated: handles are shown turned into the sheet and dragged back into the frame.
    CEllipse turned(CRect(0, 0, 1000, 1000));
    turned.SetRotation(900);
    turned.MoveHandleTo(9, CPoint(-500, 1300), nullptr);
    EXPECT_EQ(turned.GetArcStart(), CPoint(1000, 500));
    EXPECT_EQ(turned.GetHandle(9), CPoint(-500, 1000));

    // Rotation keeps the arc points in the shape's frame.
    auto arc = MakeArc(CRect(0, 0, 1000, 1000), {1000, 500}, {500, 1000}, 0x12);
    arc->Rotate(900, 500, 500, nullptr);
    EXPECT_EQ(arc->GetRotation(), 900);
    EXPECT_EQ(arc->GetHandle(9), CPoint(500, 1000));
    EXPECT_EQ(arc->GetHandle(10), CPoint(0, 500));
}

TEST(Ellipse, MovingCarriesScalesOrCollapsesTheArc) {
    auto arc = MakeArc(CRect(0, 0, 1000, 1000), {1000, 500}, {500, 1000}, 0x12);
    arc->MoveTo(CRect(100, 100, 2100, 600), nullptr);
    EXPECT_EQ(arc->GetArcStart(), CPoint(2100, 350));
    EXPECT_EQ(arc->GetArcEnd(), CPoint(1100, 600));

    // Mirrored left to right through a negative width.
    arc->MoveTo(CRect(2100, 100, 100, 600), nullptr);
    EXPECT_EQ(arc->GetArcStart(), CPoint(100, 350));

    auto flat = MakeArc(CRect(0, 0, 0, 1000), {0, 0}, {0, 1000}, 0x12);
    flat->MoveTo(CRect(100, 100, 600, 600), nullptr);
    EXPECT_EQ(flat->GetArcStart(), CPoint(100, 100));
    EXPECT_EQ(flat->GetArcEnd(), CPoint(100, 100));

    auto turned = MakeArc(CRect(0, 0, 1000, 1000), {1000, 500}, {500, 1000}, 0x12);
    turned->SetRotation(900);
    turned->OffsetBy(CSize(0, 100));
    EXPECT_EQ(turned->GetPosition(), CRect(100, 0, 1100, 1000));
    EXPECT_EQ(turned->GetArcStart(), CPoint(1100, 500));
}

TEST(Ellipse, IntersectionFollowsTheOutlineChordAndFill) {
    const CRect centre(490, 490, 510, 510);
    CEllipse ring(CRect(0, 0, 1000, 1000));
    EXPECT_FALSE(ring.Intersects(centre));
    EXPECT_FALSE(ring.Intersects(CRect(-10, -10, 10, 10)));  // its arc points' empty corner
    ring.SetFlags(kFlagFilled, kFlagFilled);
    EXPECT_TRUE(ring.Intersects(centre));

    // The chord from the right to the left holds the upper half (counter-clockwise).
    auto chord = MakeArc(CRect(0, 0, 1000, 1000), {1000, 500}, {0, 500}, 0x3);
    EXPECT_TRUE(chord->Intersects(CRect(490, 690, 510, 710)));
    EXPECT_FALSE(chord->Intersects(CRect(490, -10, 510, 10)));

    auto arc = MakeArc(CRect(0, 0, 1000, 1000), {1000, 500}, {0, 500}, 0x12);
    EXPECT_FALSE(arc->Intersects(centre));
    EXPECT_TRUE(arc->Intersects(CRect(490, 990, 510, 1010)));

    // A query around the arc start, turned into the sheet, meets at once.
    EXPECT_TRUE(EllipseArcMeetsRect({1000, 500}, {0, 500}, CRect(0, 0, 1000, 1000), 900,
                                    CRect(-510, 990, -490, 1010), 0));
}

// Unlike the rectangles, ellipses go out in either export mode.
TEST(Ellipse, ExportsOneEllipseInEitherMode) {
    CEllipse ellipse(CRect(0, 0, 1000, 1000));
    RecordingDxf dxf;
    ellipse.SetRotation(300);
    ellipse.ExportDxf(&dxf, 1, nullptr);
    ellipse.ExportDxf(&dxf, 2, kIdentityMatrix);
    const std::vector<std::string> expected = {"Ellipse 0,0,1000,1000 rot=300 arc=0,0 0,0",
                                               "Ellipse 0,0,1000,1000 rot=300 arc=0,0 0,0 placed"};
    EXPECT_EQ(dxf.calls, expected);
}

TEST(Ellipse, DrawsChordsArcsAndTheirArrowHeads) {
    // The head at the start points back along the curve, the one at the end forward.
    auto arc = MakeArc(CRect(0, 0, 1000, 1000), {1000, 500}, {500, 1000}, 0xA12);
    const std::vector<std::string> arcLines = {
        "Arc 0,0,1000,1000 from=1000,500 to=500,1000 " + kPen + " rop=13",
        "Polygon 988,540 1000,500 1012,540 " + kHead, "Polygon 540,1012 500,1000 540,988 " + kHead};
    EXPECT_EQ(Record([&](CDC& dc) { arc->Draw(&dc, nullptr); }), arcLines);

    // A mirroring placement flips the rectangle: the points are exchanged and the heads
    // still point the same way along the (mirrored) curve.
    const double mirror[kMatrixSize] = {-1, 0, 0, 0, 1, 0};
    const std::vector<std::string> mirrored = {
        "Arc 0,0,-1000,1000 from=-500,1000 to=-1000,500 " + kPen + " rop=13",
        "Polygon -1012,540 -1000,500 -988,540 " + kHead,
        "Polygon -540,988 -500,1000 -540,1012 " + kHead};
    EXPECT_EQ(Record([&](CDC& dc) { arc->Draw(&dc, mirror); }), mirrored);
}

TEST(Ellipse, TurnedEllipsesAreSampledEveryTwoDegrees) {
    CEllipse whole(CRect(0, 0, 1000, 1000));
    double turn[kMatrixSize];
    MatrixSetRotation(300, turn);
    const std::vector<std::string> lines = Record([&](CDC& dc) { whole.Draw(&dc, turn); });
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("Polygon ", 0), 0u);
    EXPECT_EQ(PointCount(lines[0]), 182u);

    // A quarter arc: 46 samples from 0 to 90 degrees, one more at the end.
    auto arc = MakeArc(CRect(0, 0, 1000, 1000), {1000, 500}, {500, 1000}, 0x12);
    arc->SetRotation(300);
    const std::vector<std::string> arcLines = Record([&](CDC& dc) { arc->Draw(&dc, nullptr); });
    ASSERT_EQ(arcLines.size(), 1u);
    EXPECT_EQ(arcLines[0].rfind("Polyline ", 0), 0u);
    EXPECT_EQ(PointCount(arcLines[0]), 47u);

    // Degenerate: a line between the arc points, mapped through the placement.
    auto flat = MakeArc(CRect(0, 0, 0, 1000), {0, 0}, {0, 1000}, 0x12);
    const double shift[kMatrixSize] = {0, -1, 100, 1, 0, 0};
    EXPECT_EQ(Record([&](CDC& dc) { flat->Draw(&dc, shift); }),
              (std::vector<std::string>{"MoveTo 100,0", "LineTo -900,0 " + kPen + " rop=13"}));
}
