#include "model/shapes/DrawRect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "ShapeTestSupport.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/shapes/Ellipse.h"
#include "support/TestSupport.h"

using namespace shapetest;

namespace {

std::unique_ptr<CDrawRect> MakeShape(const CRect& position, int shape, DWORD flags,
                                     int rotation = 0) {
    auto rect = std::make_unique<CDrawRect>(position);
    rect->SetShape(shape);
    rect->SetFlags(flags, 0xFFFFFFFF);
    rect->SetRotation(rotation);
    return rect;
}

LOGPEN Pen(UINT style, LONG width) {
    LOGPEN pen;
    pen.lopnStyle = style;
    pen.lopnWidth = POINT{width, 0};
    return pen;
}

// The sheet corners, ordered by x then y.
std::vector<CPoint> Corners(const CDrawRect& rect) {
    std::vector<CPoint> corners;
    for (int n : {1, 3, 5, 7})
        corners.push_back(rect.GetHandle(n));
    std::sort(corners.begin(), corners.end(),
              [](const CPoint& a, const CPoint& b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
    return corners;
}

const char* const kOutline = "pen=solid/0/0x000000";

std::unique_ptr<CDrawRect> WithPen(std::unique_ptr<CDrawRect> shape, LONG width, COLORREF colour) {
    const LOGPEN pen{PS_SOLID, POINT{width, 0}, colour};
    shape->SetPen(&pen);
    return shape;
}

}  // namespace

TEST(DrawRect, RecordOfARectangleAndItsRoundTrip) {
    const CDrawRect rect(CRect(0, 0, 1000, -500));
    const Bytes expected =
        Concat({NewClassTag("CDrawRect"), Le32(0), Le32(0), Le32(1000), Le32(-500), Le32(2),
                Le16(0), Le16(0), Le16(4), Le32(160), Le32(160), Le32(0)});
    EXPECT_EQ(StoreObject(&rect), expected) << testsupport::HexDump(StoreObject(&rect));

    auto rounded = MakeShape(CRect(-5, 7, 300, -200), kShapeRoundRect, 0x3, 450);
    rounded->SetRoundness(CPoint(30, 40));
    const LOGPEN pen = Pen(PS_DASH, 0);
    rounded->SetPen(&pen);
    const Bytes bytes = StoreObject(rounded.get());
    EXPECT_EQ(StoreObject(RoundTrip(*rounded).get()), bytes);
    EXPECT_THROW(LoadObject(Bytes(bytes.begin(), bytes.end() - 1), RUNTIME_CLASS(CDrawRect)),
                 CArchiveException);
}

TEST(DrawRect, TipTextsInInchesAndCentimetres) {
    const CDrawRect rect(CRect(0, 0, 1000, -500));
    auto line = MakeShape(CRect(0, 0, 1000, -500), kShapeLine, 0x12);
    EXPECT_EQ(rect.GetTipText().str(),
              "Rectangle\nWidth    : 1 inches\nHeight   : 0.5 inches\nRotation : 0 \xBA");
    // Start is the first point (left, top), End the second; y is shown upward and 0 not as -0.
    EXPECT_EQ(line->GetTipText().str(),
              "Line\nStart  : 0, 0 inches\nEnd    : 1, 0.5 inches\nLength : 1.11803 inches");
}

TEST(DrawRect, HandlesOfLinesAndRoundedRectangles) {
    auto line = MakeShape(CRect(0, 0, 1000, -500), kShapeLine, 0x12);
    ASSERT_EQ(line->GetHandleCount(), 2);
    EXPECT_EQ(line->GetHandle(2), CPoint(1000, -500));
    line->MoveHandleTo(2, CPoint(700, 700), nullptr);
    EXPECT_EQ(line->GetPosition(), CRect(0, 0, 700, 700));

    auto rounded = MakeShape(CRect(0, 0, 1000, -500), kShapeRoundRect, 0x2);
    ASSERT_EQ(rounded->GetHandleCount(), 9);
    EXPECT_EQ(rounded->GetHandle(9), CPoint(920, -80));
    EXPECT_EQ(rounded->GetHandleCursor(9), CursorId::SizeAll);
    // Beyond the right edge the handle stops one unit inside it; the height stops at mid y.
    rounded->MoveHandleTo(9, CPoint(2000, -400), nullptr);
    EXPECT_EQ(rounded->GetRoundness(), CPoint(2, 500));
    EXPECT_EQ(rounded->GetPosition(), CRect(0, 0, 1000, -500));
}

TEST(DrawRect, BoundingRectWidensLinesAndEllipseShapes) {
    CRect bounds;
    auto line = MakeShape(CRect(0, 0, 1000, 0), kShapeLine, 0x12);
    line->GetBoundingRect(bounds);
    EXPECT_EQ(bounds, CRect(-17, -17, 1017, 17));
    const LOGPEN wide = Pen(PS_SOLID, 50);
    line->SetPen(&wide);
    line->GetBoundingRect(bounds);
    EXPECT_EQ(bounds, CRect(-86, -86, 1086, 86));

    auto oval = MakeShape(CRect(0, 0, 100, 100), kShapeEllipse, 0x2);
    oval->GetBoundingRect(bounds);
    EXPECT_EQ(bounds, CRect(-41, -41, 141, 141));
}

TEST(DrawRect, RotationTurnsTheFrameAboutTheSheetOrigin) {
    CDrawRect rect(CRect(100, 0, 200, 50));
    rect.SetRotation(900);
    EXPECT_EQ(rect.GetHandle(1), CPoint(0, 100));
    EXPECT_EQ(rect.GetHandle(5), CPoint(-50, 200));

    CDrawRect back(CRect(100, 0, 200, 50));
    CDrawRect forward(CRect(100, 0, 200, 50));
    back.Rotate(-900, 30, 40, nullptr);
    forward.Rotate(2700, 30, 40, nullptr);
    EXPECT_EQ(back.GetRotation(), 2700);
    EXPECT_EQ(back.GetPosition(), forward.GetPosition());

    auto line = MakeShape(CRect(0, 0, 1000, 0), kShapeLine, 0x12);
    line->Rotate(900, 0, 0, nullptr);
    EXPECT_EQ(line->GetPosition(), CRect(0, 0, 0, 1000));
    EXPECT_EQ(line->GetRotation(), 0);
}

TEST(DrawRect, MirroringReflectsTheSheetCorners) {
    CDrawRect rect(CRect(0, 0, 100, 50));
    rect.Mirror(0, 0, 0, 1);
    EXPECT_EQ(rect.GetPosition(), CRect(0, 0, -100, 50));
    EXPECT_EQ(rect.GetRotation(), 0);

    // Turned by 90 degrees, the sheet corners (-50..0, 100..200) land at 0..50.
    CDrawRect turned(CRect(100, 0, 200, 50));
    turned.SetRotation(900);
    turned.Mirror(0, -10, 0, 10);
    EXPECT_EQ(turned.GetRotation(), 900);
    EXPECT_EQ(Corners(turned), (std::vector<CPoint>{{0, 100}, {0, 200}, {50, 100}, {50, 200}}));

    auto line = MakeShape(CRect(10, 20, 30, 40), kShapeLine, 0x12);
    line->Mirror(0, 0, 1, 0);
    EXPECT_EQ(line->GetPosition(), CRect(10, -20, 30, -40));
}

TEST(DrawRect, IntersectionCountsTheOutlineUnlessFilled) {
    CDrawRect rect(CRect(0, 0, 1000, -1000));
    const CRect inside(400, -600, 600, -400);
    EXPECT_FALSE(rect.Intersects(inside));
    EXPECT_TRUE(rect.Intersects(CRect(900, -600, 1100, -400)));
    rect.SetFlags(kFlagFilled, kFlagFilled);
    EXPECT_TRUE(rect.Intersects(inside));

    CDrawRect turned(CRect(0, 0, 1000, 1000));
    turned.SetRotation(450);
    turned.SetFlags(kFlagFilled, kFlagFilled);
    EXPECT_TRUE(turned.Intersects(CRect(-10, 690, 10, 710)));
    // Inside the bounding box of the turned square but outside the square itself.
    EXPECT_FALSE(turned.Intersects(CRect(-650, 50, -600, 100)));

    auto line = MakeShape(CRect(0, 0, 1000, 1000), kShapeLine, 0x12);
    EXPECT_FALSE(line->Intersects(CRect(600, 100, 700, 200)));
}

TEST(DrawRect, DrawsItsShapeWithPenBrushAndArrows) {
    const std::string outline = kOutline;
    const std::string line = "pen=solid/0/0x000000 rop=13";
    const std::string head = "pen=solid/0/0x000000 brush=solid/0x000000 fill=alternate rop=13";
    const std::string hollow = outline + " brush=null rop=13";
    const CRect box(0, 0, 1000, -500);
    struct Case {
        const char* name;
        std::unique_ptr<CDrawRect> shape;
        std::vector<double> matrix;  // empty: none
        std::vector<std::string> expected;
    };
    Case cases[] = {
        {"filled rounded rectangle",
         MakeShape(box, kShapeRoundRect, 0x3),
         {},
         {"RoundRect 0,0,1000,-500 corner=160,160 " + outline + " brush=solid/0xC0C0C0 rop=13"}},
        {"filled end arrow pulls the line back",
         MakeShape(CRect(0, 0, 1000, 0), kShapeLine, 0x212),
         {},
         {"Polygon 960,-12 1000,0 960,12 " + head, "MoveTo 0,0", "LineTo 960,0 " + line}},
        {"heads of a line without outline take its pen's size and colour",
         WithPen(MakeShape(CRect(0, 0, 1000, 0), kShapeLine, 0x210), 10, 0xFF),
         {},
         {"Polygon 940,-18 1000,0 940,18 pen=solid/0/0x0000FF brush=solid/0x0000FF fill=alternate "
          "rop=13",
          "MoveTo 0,0", "LineTo 960,0 pen=null rop=13"}},
        {"zero-length line points its heads along +x",
         MakeShape(CRect(500, 0, 500, 0), kShapeLine, 0x312),
         {},
         {"Polygon 460,-16 500,0 460,16 " + head, "MoveTo 500,0", "LineTo 460,0 " + line}},
        {"rectangle turned by 90 degrees",
         MakeShape(box, kShapeRect, 0x2, 900),
         {},
         {"Rectangle 0,0,500,1000 " + hollow}},
        {"rectangle turned by 30 degrees",
         MakeShape(box, kShapeRect, 0x2, 300),
         {},
         {"Polygon 0,0 250,-433 1116,67 866,500 " + outline + " brush=null fill=alternate rop=13"}},
    };
    for (const Case& c : cases) {
        const double* matrix = c.matrix.empty() ? nullptr : c.matrix.data();
        EXPECT_EQ(Record([&](CDC& dc) { c.shape->Draw(&dc, matrix); }), c.expected) << c.name;
    }
}

TEST(DrawRect, ExportsRectanglesAndArrowedLinesForDrawingExport) {
    RecordingDxf dxf;
    CDrawRect rect(CRect(0, 0, 1000, -500));
    rect.SetRotation(300);
    rect.ExportDxf(&dxf, 1, nullptr);
    EXPECT_TRUE(dxf.calls.empty());
    rect.ExportDxf(&dxf, 2, kIdentityMatrix);
    auto rounded = MakeShape(CRect(0, 0, 10, 20), kShapeRoundRect, 0x2);
    rounded->ExportDxf(&dxf, 2, nullptr);
    MakeShape(CRect(0, 0, 10, 20), kShapeRect, 0x1)->ExportDxf(&dxf, 2, nullptr);
    auto line = MakeShape(CRect(0, 0, 1000, 0), kShapeLine, 0x210);
    line->ExportDxf(&dxf, 2, nullptr);
    const std::vector<std::string> expected = {"LwPolyline 0,0,1000,-500 rot=300 placed",
                                               "3DFace 0,0,10,20 corner=160,160 rot=0",
                                               "Arrow 1000,0 1,0 kind=2", "Line 0,0 960,0"};
    EXPECT_EQ(dxf.calls, expected);
}
