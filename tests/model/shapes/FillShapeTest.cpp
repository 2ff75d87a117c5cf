#include "model/shapes/FillShape.h"

#include <gtest/gtest.h>

#include <memory>

#include "model/geometry/PointTransforms.h"
#include "model/shapes/DrawPoly.h"
#include "model/shapes/Ellipse.h"
#include "platform/ObList.h"
#include "support/TestSupport.h"
#include "tests/model/shapes/ShapeTestSupport.h"

using namespace shapetest;

namespace {

// Owns the pieces of an outline.
class Pieces {
public:
    ~Pieces() {
        for (POSITION pos = list.GetHeadPosition(); pos;)
            delete list.GetNext(pos);
    }
    void Line(int x1, int y1, int x2, int y2) {
        auto* line = new CDrawRect(CRect(x1, y1, x2, y2));
        line->SetShape(kShapeLine);
        line->SetFlags(0x12, 0xFFFFFFFF);
        list.AddTail(line);
    }
    void Arc(const CRect& ellipse, CPoint start, CPoint end, int rotation = 0) {
        auto* arc = new CEllipse(ellipse);
        arc->SetFlags(0x12, 0xFFFFFFFF);
        arc->SetArc(start, end);
        arc->SetRotation(rotation);
        list.AddTail(arc);
    }
    CDrawPoly* Poly(std::initializer_list<CPoint> points, DWORD flags = 0x12) {
        auto* poly = new CDrawPoly(CRect());
        poly->SetFlags(flags, 0xFFFFFFFF);
        for (const CPoint& p : points)
            poly->AddPoint(p);
        list.AddTail(poly);
        return poly;
    }
    CObList list;
};

// A triangle of three lines, listed in no particular order or direction.
std::unique_ptr<CFillShape> Triangle() {
    Pieces pieces;
    pieces.Line(0, 1000, 1000, 0);
    pieces.Line(0, 0, 1000, 0);
    pieces.Line(0, 0, 0, 1000);
    auto shape = std::make_unique<CFillShape>(CRect(100, -200, 400, -600));
    EXPECT_TRUE(shape->BuildFromOutline(pieces.list));
    shape->RecalcBounds(nullptr);
    return shape;
}

Bytes LineRecord(int x, int y) {
    return Concat({Le16(16), Le16(0), Le32(0), Le32(x), Le32(y)});
}

Bytes ArcRecord(int x, int y, const CRect& ellipse, int angle) {
    return Concat({Le16(36), Le16(0), Le32(2), Le32(x), Le32(y), Le32(ellipse.left),
                   Le32(ellipse.top), Le32(ellipse.right), Le32(ellipse.bottom), Le16(angle),
                   Le16(0)});
}

const Bytes kTriangleBlob = Concat({Le32(76), Le32(4), Le32(0), LineRecord(0, 1000),
                                    LineRecord(1000, 0), LineRecord(0, 0), LineRecord(0, 1000)});

Bytes FillRecord(DWORD flags, const Bytes& blobPart) {
    return Concat({NewClassTag("CFillShape"), Le32(0), Le32(0), Le32(1000), Le32(1000), Le32(flags),
                   Le16(0), Le16(0), Le16(4), Le32(32768), Le32(32768), Le32(0), blobPart});
}

std::unique_ptr<CFillShape> Load(const Bytes& bytes) {
    std::unique_ptr<CObject> object = LoadObject(bytes, RUNTIME_CLASS(CFillShape));
    return std::unique_ptr<CFillShape>(dynamic_cast<CFillShape*>(object.release()));
}

const std::string kPen = "pen=solid/0/0x000000 rop=13";
const double kMirrorX[] = {-1, 0, 0, 0, 1, 0};

}  // namespace

TEST(FillShape, TriangleOfLinesGivesItsBlobAndRecord) {
    const auto shape = Triangle();
    EXPECT_EQ(shape->GetPathBlob(), kTriangleBlob) << testsupport::HexDump(shape->GetPathBlob());
    EXPECT_EQ(shape->GetPosition(), CRect(0, 0, 1000, 1000));
    RecordingDxf dxf;
    shape->ExportDxf(&dxf, 2, nullptr);
    EXPECT_TRUE(dxf.calls.empty());

    const Bytes record = FillRecord(0x1002, Concat({Le32(76), kTriangleBlob, Le32(0), Le32(0)}));
    EXPECT_EQ(record.size() - NewClassTag("CFillShape").size(), 126u);
    EXPECT_EQ(StoreObject(shape.get()), record) << testsupport::HexDump(StoreObject(shape.get()));
    const auto loaded = RoundTrip(*shape);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(StoreObject(loaded.get()), record);
}

TEST(FillShape, OlderRecordsAndEmptyPathsLoad) {
    // Without flag 0x1000 there is no translation to read, and the placement becomes neutral.
    auto shape = Load(FillRecord(0x2, Concat({Le32(76), kTriangleBlob})));
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->GetFlags(), 0x1002u);
    EXPECT_EQ(shape->GetRoundness(), CPoint(32768, 32768));
    EXPECT_EQ(shape->GetTranslation(), CPoint(0, 0));

    shape = Load(FillRecord(0x1002, Concat({Le32(0), Le32(5), Le32(6)})));
    ASSERT_TRUE(shape);
    EXPECT_TRUE(shape->GetPathBlob().empty());
    EXPECT_EQ(shape->GetTranslation(), CPoint(5, 6));
    EXPECT_TRUE(Record([&](CDC& dc) { shape->Draw(&dc, nullptr); }).empty());
    EXPECT_TRUE(shape->RecalcBounds(nullptr));
    EXPECT_EQ(shape->GetPosition(), CRect(0, 0, 0, 0));
}

// Every damaged blob ends the load with the archive's exception, and nothing is allocated for
// sizes the stream cannot hold.
TEST(FillShape, DamagedPathsAreRefused) {
    const auto blob = [](std::initializer_list<Bytes> records, int count) {
        const Bytes body = Concat(records);
        const int total = static_cast<int>(12 + body.size());
        return Concat({Le32(total), Le32(total), Le32(count), Le32(0), body});
    };
    const Bytes line = LineRecord(1, 2);
    const Bytes run =
        Concat({Le16(28), Le16(0), Le32(3), Le32(0), Le32(0), Le32(1), Le32(5), Le32(6)});
    const struct {
        const char* name;
        Bytes path;
    } cases[] = {
        {"size beyond the stream", Le32(0x7FFFFFF0)},
        {"size below the header", Concat({Le32(8), Le32(8), Le32(1)})},
        {"inner size differs", Concat({Le32(28), Le32(29), Le32(1), Le32(0), line})},
        {"no records", blob({}, 0)},
        {"more records counted than held", blob({line}, 2)},
        {"bytes after the records", Concat({Le32(30), Le32(30), Le32(1), Le32(0), line, Le16(0)})},
        {"record size 0", blob({Concat({Le16(0), Le16(0), Le32(0), Le32(0), Le32(0)})}, 1)},
        {"line of 20 bytes",
         blob({Concat({Le16(20), Le16(0), Le32(0), Le32(0), Le32(0), Le32(0)})}, 1)},
        {"run whose count overruns it", blob({Concat({Le16(28), Le16(0), Le32(3), Le32(0), Le32(0),
                                                      Le32(0x20000001), Le32(5), Le32(6)})},
                                             1)},
        {"unknown type", blob({Concat({Le16(16), Le16(0), Le32(4), Le32(0), Le32(0)})}, 1)},
        {"unknown type of size 0",
         blob({Concat({Le16(0), Le16(0), Le32(4), Le32(0), Le32(0)})}, 1)},
        {"arc of 16 bytes", blob({Concat({Le16(16), Le16(0), Le32(2), Le32(0), Le32(0)})}, 1)},
    };
    for (const auto& [name, path] : cases)
        EXPECT_THROW(Load(Concat({FillRecord(0x1002, path), Le32(0), Le32(0)})), CArchiveException)
            << name;
    EXPECT_NO_THROW(Load(Concat({FillRecord(0x1002, blob({line, run}, 2)), Le32(0), Le32(0)})));
}

TEST(FillShape, UnresolvedPiecesLeaveTheShapeUnchanged) {
    auto shape = Triangle();
    const Bytes before = StoreObject(shape.get());
    Pieces open;
    open.Line(0, 0, 1000, 0);
    open.Line(1000, 0, 1000, 1000);
    EXPECT_FALSE(shape->BuildFromOutline(open.list));
    open.Line(1000, 1000, 0, 0);  // closed, but with a rectangle among the pieces
    open.list.AddTail(new CDrawRect(CRect(0, 0, 10, 10)));
    EXPECT_FALSE(shape->BuildFromOutline(open.list));
    EXPECT_FALSE(shape->BuildFromOutline(Pieces().list));
    EXPECT_EQ(StoreObject(shape.get()), before);
}

// Two arcs whose ends meet: the second, walked from its end, runs clockwise; a polyline walked
// backwards gives its inner points in reverse; ends that miss each other are joined by lines.
TEST(FillShape, ArcsAndPolylinesJoinIntoOneLoop) {
    Pieces lens;
    lens.Arc(CRect(-1000, -1000, 1000, 1000), CPoint(1000, 0), CPoint(-1000, 0));
    lens.Arc(CRect(-1000, -500, 1000, 500), CPoint(1000, 0), CPoint(-1000, 0), -3600);
    CFillShape shape;
    ASSERT_TRUE(shape.BuildFromOutline(lens.list));
    const Bytes arcs = Concat({Le32(12 + 16 + 36 + 36), Le32(3), Le32(0), LineRecord(1000, 0),
                               ArcRecord(-1000, 0, CRect(-1000, -1000, 1000, 1000), 0),
                               ArcRecord(1000, 0, CRect(-1000, -500, 1000, 500), 0x8000)});
    EXPECT_EQ(shape.GetPathBlob(), arcs) << testsupport::HexDump(shape.GetPathBlob());
    shape.RecalcBounds(nullptr);
    EXPECT_EQ(shape.GetPosition(), CRect(-1000, 0, 1000, 1000));

    Pieces mixed;
    mixed.Line(0, 0, 1000, 0);
    mixed.Poly({{0, 5}, {-300, 500}, {500, 900}, {1000, 3}});
    CFillShape joined;
    ASSERT_TRUE(joined.BuildFromOutline(mixed.list));
    const Bytes expected =
        Concat({Le32(12 + 16 + 16 + 16 + 36), Le32(4), Le32(0), LineRecord(0, 0),
                LineRecord(1000, 0), LineRecord(1000, 3), Le16(36), Le16(0), Le32(3), Le32(0),
                Le32(5), Le32(2), Le32(500), Le32(900), Le32(-300), Le32(500)});
    EXPECT_EQ(joined.GetPathBlob(), expected) << testsupport::HexDump(joined.GetPathBlob());
}

// Runs longer than a record may hold are split; the pieces load back as one outline.
TEST(FillShape, LongRunsAreSplit) {
    Pieces pieces;
    CDrawPoly* poly = pieces.Poly({});
    for (int i = 0; i <= 600; ++i)
        poly->AddPoint(CPoint(i * 10, (i % 2) * 10));
    pieces.Line(0, 0, 6000, 0);
    CFillShape shape;
    ASSERT_TRUE(shape.BuildFromOutline(pieces.list));
    // Start, three polyline records (257 + 257 + 86 points), the line back.
    const Bytes& blob = shape.GetPathBlob();
    EXPECT_EQ(blob.size(), 12u + 16 + 3 * 20 + 8 * (600 - 3) + 16);
    EXPECT_EQ(blob[4], 5);
    const auto loaded = RoundTrip(shape);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetPathBlob(), blob);
}

TEST(FillShape, MovingAndResizingChangeOnlyThePlacement) {
    auto shape = Triangle();
    const Bytes blob = shape->GetPathBlob();
    shape->OffsetBy(CSize(100, 0));
    EXPECT_EQ(shape->GetTranslation(), CPoint(100, 0));
    EXPECT_EQ(shape->GetPathBlob(), blob);
    EXPECT_EQ(shape->GetPosition(), CRect(0, 0, 1000, 1000));

    // Dragging the right edge to twice the width doubles the x scale and keeps the left edge.
    FakeView view;
    shape->MoveHandleTo(4, CPoint(2100, 500), &view);
    EXPECT_EQ(shape->GetRoundness(), CPoint(65536, 32768));
    EXPECT_EQ(shape->GetHandle(5), CPoint(2100, 1000));

    // A scale or translation beyond 32 bits, or a scale that rounds to 0, is refused.
    shape->MoveTo(CRect(0, 0, 40000000, 1000), nullptr);
    EXPECT_EQ(shape->GetRoundness(), CPoint(65536, 32768));
    shape->MoveTo(CRect(0, 0, 1000, 0), nullptr);
    EXPECT_EQ(shape->GetRoundness(), CPoint(65536, 32768));
    shape->MoveTo(CRect(2000000000, 0, 2000001000, 1000), nullptr);
    EXPECT_EQ(shape->GetTranslation(), CPoint(100, 0));
    shape->MoveTo(CRect(0, 0, 30000000, 1000), nullptr);
    EXPECT_EQ(shape->GetRoundness(), CPoint(1966080000, 32768));

    Pieces big;
    big.Line(0, 0, 1000000, 0);
    big.Line(1000000, 0, 0, 1000000);
    big.Line(0, 1000000, 0, 0);
    CFillShape large;
    ASSERT_TRUE(large.BuildFromOutline(big.list));
    large.RecalcBounds(nullptr);
    large.MoveTo(CRect(0, 0, 12, 1000000), nullptr);
    EXPECT_EQ(large.GetRoundness(), CPoint(32768, 32768));
}

// The placement is reflected about the given line, whatever its direction: the corners of the
// triangle land where the reflection puts them.
TEST(FillShape, MirroringHonoursTheLine) {
    const struct {
        int x1, y1, x2, y2;
    } lines[] = {{500, 0, 500, 1}, {0, 0, 1, 0}, {0, 0, 1, 1}, {3, 7, 120, -40}};
    for (const auto& l : lines) {
        auto shape = Triangle();
        shape->Rotate(300, 200, 100, nullptr);
        CPoint corners[3] = {{0, 1000}, {1000, 0}, {0, 0}};
        shape->LocalToDoc(corners, 3);
        MirrorPoints(corners, 3, l.x1, l.y1, l.x2, l.y2);
        shape->Mirror(l.x1, l.y1, l.x2, l.y2);
        CPoint mirrored[3] = {{0, 1000}, {1000, 0}, {0, 0}};
        shape->LocalToDoc(mirrored, 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(mirrored[i].x, corners[i].x, 2) << l.x2 << "," << l.y2 << " corner " << i;
            EXPECT_NEAR(mirrored[i].y, corners[i].y, 2) << l.x2 << "," << l.y2 << " corner " << i;
        }
    }
    // A line through one point only mirrors nothing.
    auto shape = Triangle();
    const Bytes before = StoreObject(shape.get());
    shape->Mirror(7, 7, 7, 7);
    EXPECT_EQ(StoreObject(shape.get()), before);
}

TEST(FillShape, IntersectionTakesTheMappedRectangleAsSolid) {
    auto shape = Triangle();
    EXPECT_TRUE(shape->Intersects(CRect(400, 400, 600, 600)));
    EXPECT_FALSE(shape->Intersects(CRect(1200, 0, 1300, 100)));
}

TEST(FillShape, DrawsItsPathStrokedAndFilled) {
    auto shape = Triangle();
    shape->SetFlags(0x3, 0x3);
    EXPECT_EQ(Record([&](CDC& dc) { shape->Draw(&dc, nullptr); }),
              (std::vector<std::string>{
                  "BeginPath", "MoveTo 0,1000", "LineTo 1000,0 " + kPen, "LineTo 0,0 " + kPen,
                  "LineTo 0,1000 " + kPen, "LineTo 0,1000 " + kPen, "EndPath",
                  "StrokeAndFillPath pen=solid/0/0x000000 brush=solid/0xC0C0C0 fill=alternate "
                  "rop=13"}));
    // Turned by 90 degrees, unfilled and placed mirrored.
    shape = Triangle();
    shape->Rotate(900, 0, 0, nullptr);
    EXPECT_EQ(Record([&](CDC& dc) { shape->Draw(&dc, kMirrorX); }),
              (std::vector<std::string>{
                  "BeginPath", "MoveTo 1000,0", "LineTo 0,1000 " + kPen, "LineTo 0,0 " + kPen,
                  "LineTo 1000,0 " + kPen, "LineTo 1000,0 " + kPen, "EndPath",
                  "StrokeAndFillPath pen=solid/0/0x000000 brush=null fill=alternate rop=13"}));
}

TEST(FillShape, ArcPointsFollowTheEllipseAndDirection) {
    const CRect circle(-1000, -1000, 1000, 1000);
    const auto whole = ArcToPoints(CPoint(1000, 0), CPoint(1000, 0), circle, 0);
    ASSERT_EQ(whole.size(), 181u);
    EXPECT_EQ(whole.back(), CPoint(1000, 0));
    const auto quarter = ArcToPoints(CPoint(1000, 0), CPoint(0, 1000), circle, 0);
    ASSERT_EQ(quarter.size(), 46u);
    EXPECT_EQ(quarter[22], CPoint(719, 695));
    const auto clockwise = ArcToPoints(CPoint(1000, 0), CPoint(0, 1000), circle, kArcClockwise);
    ASSERT_EQ(clockwise.size(), 136u);
    EXPECT_EQ(clockwise[45], CPoint(0, -1000));

    // An ellipse turned by 90 degrees: its flat upper half bulges to -x on the sheet.
    const auto turned =
        ArcToPoints(CPoint(0, 1000), CPoint(0, -1000), CRect(-1000, -500, 1000, 500), 900);
    ASSERT_EQ(turned.size(), 91u);
    EXPECT_EQ(turned[45], CPoint(-500, 0));
    EXPECT_TRUE(ArcToPoints(CPoint(0, 0), CPoint(1000, 0), CRect(0, 0, 1000, 0), 0).empty());
}
