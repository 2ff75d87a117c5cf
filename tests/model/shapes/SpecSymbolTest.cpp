#include "model/shapes/SpecSymbol.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>

#include "model/shapes/SpecSymbolGlyph.h"
#include "support/TestSupport.h"
#include "tests/model/shapes/ShapeTestSupport.h"

using namespace shapetest;

namespace {

using Lines = std::vector<std::string>;

std::unique_ptr<CSpecSymbol> Placed(int kind, int x = 0, int y = 0, int size = 10) {
    auto symbol = std::make_unique<CSpecSymbol>(kind);
    symbol->PlaceAt(x, y, size);
    return symbol;
}

// The integer at line[i] (with an optional minus sign); end is set past it.
bool ReadInteger(const std::string& line, size_t i, long& value, size_t& end) {
    size_t j = i + (i < line.size() && line[i] == '-' ? 1 : 0);
    const size_t digits = j;
    while (j < line.size() && std::isdigit(static_cast<unsigned char>(line[j])))
        ++j;
    if (j == digits)
        return false;
    value = std::stol(line.substr(i, j - i));
    end = j;
    return true;
}

// The coordinate pairs "x,y" of a recorded line that lie outside rect, radial points of arcs
// included.
Lines PointsOutside(const std::string& line, const CRect& rect) {
    Lines outside;
    for (size_t i = 0; i < line.size();) {
        long x = 0, y = 0;
        size_t comma = 0, end = 0;
        if (!ReadInteger(line, i, x, comma) || comma >= line.size() || line[comma] != ',' ||
            !ReadInteger(line, comma + 1, y, end)) {
            ++i;
            continue;
        }
        if (x < rect.left || x > rect.right || y < rect.top || y > rect.bottom)
            outside.push_back(line.substr(i, end - i));
        i = end;
    }
    return outside;
}

const std::string kPen = "pen=solid/0/0x000000 rop=13";
const std::string kFill = "pen=solid/0/0x000000 brush=null fill=alternate rop=13";
const double kMirrorX[] = {-1, 0, 0, 0, 1, 0};

TEST(SpecSymbol, PlaceAtSizesAndAnchorsEachKind) {
    const std::pair<int, CRect> cases[] = {
        {1, CRect(-30, -30, 30, 30)},  {26, CRect(0, -200, 600, 200)},
        {18, CRect(-40, -60, 80, 40)}, {25, CRect(-20, -10, 50, 30)},
        {16, CRect(10, 0, 30, 60)},    {19, CRect(0, -80, 120, 60)},
        {12, CRect(0, 0, 240, 80)},    {21, CRect(-25, -25, 25, 25)},
        {32, CRect(0, 0, 0, 0)},
    };
    for (const auto& [kind, expected] : cases)
        EXPECT_EQ(Placed(kind)->GetPosition(), expected) << "kind " << kind;
    EXPECT_EQ(Placed(7, 100, 50)->GetPosition(), CRect(100, 20, 220, 80));
    EXPECT_EQ(Placed(21, 100, 50, 3)->GetPosition(), CRect(93, 43, 107, 57));  // halves of 15
}

TEST(SpecSymbol, RecordIsTheRectangleRecordWithTheKind) {
    const auto symbol = Placed(26);
    const Bytes expected =
        Concat({NewClassTag("CSpecSymbol"), Le32(0), Le32(-200), Le32(600), Le32(200), Le32(2),
                Le16(0), Le16(0), Le16(26), Le32(160), Le32(160), Le32(0)});
    EXPECT_EQ(StoreObject(symbol.get()), expected)
        << testsupport::HexDump(StoreObject(symbol.get()));
    symbol->SetRotation(900);
    const auto loaded = RoundTrip(*symbol);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetKind(), 26);
    EXPECT_EQ(StoreObject(loaded.get()), StoreObject(symbol.get()));
}

// No tip, no snapping, no DXF; handles, rotation and mirroring of a plain rectangle whatever
// the kind (5 and 7 are shape codes of the rectangle family too).
TEST(SpecSymbol, BehavesAsAPlainRectangle) {
    const auto dot = Placed(1);
    EXPECT_TRUE(dot->GetTipText().IsEmpty());
    CPoint point(0, 0);
    double best = 1e9;
    FakeSnapGrid grid;
    EXPECT_EQ(dot->SnapPoint(point, &grid, best), nullptr);
    RecordingDxf dxf;
    for (int kind : {1, 5, 7, 26})
        Placed(kind)->ExportDxf(&dxf, 2, nullptr);
    EXPECT_TRUE(dxf.calls.empty());
    // Unfilled, yet a query inside the rectangle meets it.
    EXPECT_TRUE(dot->Intersects(CRect(-5, -5, 5, 5)));
    EXPECT_FALSE(dot->Intersects(CRect(100, 100, 200, 200)));

    const auto analog = Placed(5);
    EXPECT_EQ(analog->GetHandleCount(), 8);
    analog->Mirror(0, 0, 0, 1);
    EXPECT_EQ(analog->GetPosition(), CRect(0, 0, -60, 60));
    EXPECT_EQ(analog->GetRotation(), 0);
}

enum Mirroring { kUnmirrored, kRectMirrored, kPlacedMirrored };

// What a placed symbol of kind draws, turned by rotation and mirrored as asked.
Lines Glyph(int kind, int rotation = 0, Mirroring mirroring = kUnmirrored) {
    const auto symbol = Placed(kind);
    symbol->SetRotation(rotation);
    if (mirroring == kRectMirrored)
        symbol->Mirror(0, 0, 0, 1);
    const double* matrix = mirroring == kPlacedMirrored ? kMirrorX : nullptr;
    return Record([&](CDC& dc) { symbol->Draw(&dc, matrix); });
}

}  // namespace

TEST(SpecSymbol, DrawsTheFigureOfItsKind) {
    EXPECT_EQ(Glyph(1), Lines{"Ellipse -30,-30,30,30 pen=solid/0/0x000000 brush=null rop=13"});
    EXPECT_EQ(Glyph(3), Lines{"Polyline 0,0 120,40 0,80 " + kPen});
    EXPECT_EQ(Glyph(32), Lines{});
    // The analog signal keeps the upper half of its circle however it is mirrored.
    EXPECT_EQ(Glyph(5), (Lines{"Arc 0,60,60,0 from=60,30 to=0,30 " + kPen, "MoveTo 60,30",
                               "LineTo 60,0 " + kPen, "MoveTo 0,30", "LineTo 0,0 " + kPen}));
    const Lines analogMirrored = {"Arc 0,60,-60,0 from=0,30 to=-60,30 " + kPen, "MoveTo -60,30",
                                  "LineTo -60,0 " + kPen, "MoveTo 0,30", "LineTo 0,0 " + kPen};
    EXPECT_EQ(Glyph(5, 0, kPlacedMirrored), analogMirrored);
    EXPECT_EQ(Glyph(5, 0, kRectMirrored), analogMirrored);
    // Shift right, turned and placed mirrored.
    EXPECT_EQ(Glyph(7, 900, kPlacedMirrored),
              (Lines{"Polygon 0,0 30,60 -30,60 " + kFill, "MoveTo 0,120", "LineTo 0,60 " + kPen}));
    // AND.
    EXPECT_EQ(Glyph(26), (Lines{"Polyline 400,200 0,200 0,-200 400,-200 " + kPen,
                                "Arc 200,200,600,-200 from=400,-200 to=400,200 " + kPen}));
}

TEST(SpecSymbol, EveryFigureStaysInItsRectangle) {
    for (int kind = 1; kind <= kSpecSymbolKinds; ++kind) {
        const auto symbol = Placed(kind, 1000, -500);
        const Lines lines = Record([&](CDC& dc) { symbol->Draw(&dc, nullptr); });
        EXPECT_FALSE(lines.empty()) << "kind " << kind;
        CRect box = symbol->GetPosition();
        box.NormalizeRect();
        for (const std::string& line : lines)
            EXPECT_EQ(PointsOutside(line, box), Lines()) << kind << ": " << line;
    }
}
