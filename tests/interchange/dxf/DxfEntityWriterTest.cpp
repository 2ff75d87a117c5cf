// The entities that drawing objects write: their groups in order, in inches, with the line
// type and thickness of the pen.

#include <gtest/gtest.h>

#include <string>

#include "interchange/dxf/DxfEntityWriter.h"
#include "interchange/dxf/DxfStream.h"
#include "model/geometry/PlacementMatrix.h"

namespace {

// Groups written as "code=value|", codes without their padding, for readable expectations.
std::string Groups(const std::string& bytes) {
    std::string groups;
    std::size_t at = 0;
    bool code = true;
    while (at < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", at);
        std::string line = bytes.substr(at, end - at);
        if (code)
            line.erase(0, line.find_first_not_of(' '));
        groups += line + (code ? "=" : "|");
        code = !code;
        at = end + 2;
    }
    return groups;
}

class DxfEntities : public ::testing::Test {
protected:
    std::string Written() {
        std::string groups = Groups(stream.Bytes());
        stream = CDxfStream();
        return groups;
    }

    CDxfStream stream;
    CDxfEntityWriter writer{stream};
};

LOGPEN Pen(UINT style, int width) {
    LOGPEN pen;
    pen.lopnStyle = style;
    pen.lopnWidth.x = width;
    return pen;
}

TEST_F(DxfEntities, LinesCarryThePensLineTypeAndThickness) {
    const LOGPEN dashed = Pen(PS_DASH, 36);
    writer.DxfWriteLine(&dashed, 0, 0, 1000, -500, nullptr);
    EXPECT_EQ(Written(), "0=LINE|8=0|39=0.5|6=DASHED|10=0|20=0|30=0|11=1|21=-0.5|31=0|");
}

// The subclass markers let readers of later releases load the entity.
TEST_F(DxfEntities, RectanglesAreClosedLwPolylinesWithAHandle) {
    const LOGPEN pen = Pen(PS_SOLID, 0);
    writer.DxfWriteLwPolyline(&pen, nullptr, RECT{0, 0, 500, -300}, 0, nullptr);
    EXPECT_EQ(Written(),
              "0=LWPOLYLINE|5=100|100=AcDbEntity|8=0|62=1|100=AcDbPolyline|90=4|70=1|43=0|39=0|"
              "6=CONTINUOUS|10=0|20=0|30=0|10=0.5|20=0|30=0|10=0.5|20=-0.3|30=0|10=0|20=-0.3|"
              "30=0|");
}

// The rectangle's frame turns about the sheet origin, not about the rectangle.
TEST_F(DxfEntities, RoundedRectanglesAreFacesThroughTheTurnedCorners) {
    writer.DxfWrite3DFace(nullptr, nullptr, RECT{100, 0, 200, 50}, SIZE{20, 20}, 900, nullptr);
    EXPECT_EQ(Written(),
              "0=3DFACE|8=0|39=0|6=CONTINUOUS|10=0|20=0.1|30=0|11=0|21=0.2|31=0|12=-0.05|22=0.2|"
              "32=0|13=-0.05|23=0.1|33=0|");
}

TEST_F(DxfEntities, PolylinesListTheirVerticesAndClosedOnesSayTheyAreClosed) {
    const POINT points[3] = {{0, 0}, {100, 0}, {100, -200}};
    writer.DxfWritePolyline(0, 3, points, nullptr);
    EXPECT_EQ(Written(),
              "0=POLYLINE|8=0|66=1|39=0|6=CONTINUOUS|0=VERTEX|10=0|20=0|0=VERTEX|10=0.1|20=0|"
              "0=VERTEX|10=0.1|20=-0.2|0=SEQEND|");
    const double shift[kMatrixSize] = {1, 0, 0, 0, 1, 1000};
    writer.DxfWriteClosedPolyline(0, 0, 2, points, shift);
    EXPECT_EQ(Written(),
              "0=POLYLINE|8=0|66=1|39=0|6=CONTINUOUS|70=1|0=VERTEX|10=0|20=1|"
              "0=VERTEX|10=0.1|20=1|0=SEQEND|");
    writer.DxfWriteClosedPolyline(0, 0, 0, points, nullptr);
    EXPECT_EQ(Written(), "");
}

// The back vector is 40 units against the direction; open and wide heads spread 3/5 of it to
// each side, narrow ones 2/5.
TEST_F(DxfEntities, ArrowHeadsAreTwoLinesOrAClosedTriangleAndUnknownKindsNothing) {
    const LOGPEN pen = Pen(PS_DOT, 0);
    writer.DxfWriteArrowHead(&pen, POINT{1000, 0}, 1.0f, 0.0f, 1);
    EXPECT_EQ(Written(),
              "0=LINE|8=0|39=0|6=HIDDEN|10=0.96|20=-0.024|30=0|11=1|21=0|31=0|"
              "0=LINE|8=0|39=0|6=HIDDEN|10=0.96|20=0.024|30=0|11=1|21=0|31=0|");
    writer.DxfWriteArrowHead(&pen, POINT{0, 0}, 0.0f, 1.0f, 2);
    EXPECT_EQ(Written(),
              "0=POLYLINE|8=0|66=1|39=0|6=CONTINUOUS|70=1|0=VERTEX|10=0.024|20=-0.04|"
              "0=VERTEX|10=0|20=0|0=VERTEX|10=-0.024|20=-0.04|0=SEQEND|");
    writer.DxfWriteArrowHead(&pen, POINT{0, 0}, 0.0f, 1.0f, 3);
    EXPECT_EQ(Written(),
              "0=POLYLINE|8=0|66=1|39=0|6=CONTINUOUS|70=1|0=VERTEX|10=0.016|20=-0.04|"
              "0=VERTEX|10=0|20=0|0=VERTEX|10=-0.016|20=-0.04|0=SEQEND|");
    writer.DxfWriteArrowHead(&pen, POINT{0, 0}, 1.0f, 0.0f, 0);
    writer.DxfWriteArrowHead(&pen, POINT{0, 0}, 1.0f, 0.0f, 4);
    EXPECT_EQ(Written(), "");
}

TEST_F(DxfEntities, EllipsesTakeTheLongerSideOfTheNormalisedRectangleAsMajorAxis) {
    // Stored with y upwards, the rectangle's height is negative.
    writer.DxfWriteEllipse(nullptr, nullptr, RECT{0, 0, 1000, -500}, 0, POINT{}, POINT{}, nullptr);
    EXPECT_EQ(Written(),
              "0=ELLIPSE|8=0|39=0|6=CONTINUOUS|10=0.5|20=-0.25|30=0|11=0.5|21=0|31=0|"
              "40=0.5|41=0|42=6.28319|");
    writer.DxfWriteEllipse(nullptr, nullptr, RECT{0, 0, 200, -1000}, 0, POINT{}, POINT{}, nullptr);
    EXPECT_EQ(Written(),
              "0=ELLIPSE|8=0|39=0|6=CONTINUOUS|10=0.1|20=-0.5|30=0|11=0|21=0.5|31=0|"
              "40=0.2|41=0|42=6.28319|");
    // Turned a quarter about the origin, the major axis points up.
    writer.DxfWriteEllipse(nullptr, nullptr, RECT{0, 0, 1000, -500}, 900, POINT{}, POINT{},
                           nullptr);
    EXPECT_EQ(Written(),
              "0=ELLIPSE|8=0|39=0|6=CONTINUOUS|10=0.25|20=0.5|30=0|11=0|21=0.5|31=0|"
              "40=0.5|41=0|42=6.28319|");
}

TEST_F(DxfEntities, EllipsesWithoutWidthOrHeightWriteNothing) {
    writer.DxfWriteEllipse(nullptr, nullptr, RECT{0, 0, 0, -100}, 0, POINT{}, POINT{}, nullptr);
    writer.DxfWriteEllipse(nullptr, nullptr, RECT{5, 5, 100, 5}, 0, POINT{}, POINT{}, nullptr);
    EXPECT_EQ(Written(), "");
}

// An arc runs counter-clockwise from its start to its end point in its rectangle's frame;
// a rectangle flipped in one axis runs it the other way, as the shape draws it.
TEST_F(DxfEntities, ArcsCoverTheQuarterTheShapeDraws) {
    writer.DxfWriteEllipse(nullptr, nullptr, RECT{-100, -50, 100, 50}, 0, POINT{100, 0},
                           POINT{0, 50}, nullptr);
    EXPECT_EQ(Written(),
              "0=ELLIPSE|8=0|39=0|6=CONTINUOUS|10=0|20=0|30=0|11=0.1|21=0|31=0|"
              "40=0.5|41=0|42=1.5708|");
    // Flipped: from the right end clockwise through the bottom and the left to the top, which
    // DXF writes counter-clockwise from the top to the right end.
    writer.DxfWriteEllipse(nullptr, nullptr, RECT{-100, 50, 100, -50}, 0, POINT{100, 0},
                           POINT{0, 50}, nullptr);
    EXPECT_EQ(Written(),
              "0=ELLIPSE|8=0|39=0|6=CONTINUOUS|10=0|20=0|30=0|11=0.1|21=0|31=0|"
              "40=0.5|41=1.5708|42=6.28319|");
    // Mirrored left to right it runs from the left end through the bottom and the right end
    // to the top, counter-clockwise from the major axis, which now points left.
    const double mirror[kMatrixSize] = {-1, 0, 0, 0, 1, 0};
    writer.DxfWriteEllipse(nullptr, nullptr, RECT{-100, 50, 100, -50}, 0, POINT{100, 0},
                           POINT{0, 50}, mirror);
    EXPECT_EQ(Written(),
              "0=ELLIPSE|8=0|39=0|6=CONTINUOUS|10=0|20=0|30=0|11=-0.1|21=0|31=0|"
              "40=0.5|41=0|42=4.71239|");
}

TEST_F(DxfEntities, LongTextsGoOutInPiecesOf250Characters) {
    const std::string a250(250, 'a');
    writer.DxfWriteMText(a250, POINT{}, 150, 0, 0.0, nullptr);
    EXPECT_NE(Written().find("|1=" + a250 + "|"), std::string::npos);
    writer.DxfWriteMText(a250 + "b", POINT{}, 150, 0, 0.0, nullptr);
    EXPECT_NE(Written().find("|3=" + a250 + "|1=b|"), std::string::npos);
    const std::string b250(250, 'b');
    writer.DxfWriteMText(a250 + b250, POINT{}, 150, 0, 0.0, nullptr);
    const std::string groups = Written();
    EXPECT_NE(groups.find("|3=" + a250 + "|1=" + b250 + "|"), std::string::npos);
    EXPECT_EQ(groups.find("|3=", groups.find("|3=") + 1), std::string::npos);
}

// A backslash and braces are formatting codes in MTEXT: each goes out after a backslash, and a
// piece ends a character early rather than part the two.
TEST_F(DxfEntities, BackslashesAndBracesAreEscapedAndNoPieceCutsAnEscape) {
    writer.DxfWriteMText("C:\\Parts\\Lib {x}", POINT{}, 150, 0, 0.0, nullptr);
    EXPECT_NE(Written().find("|1=C:\\\\Parts\\\\Lib \\{x\\}|"), std::string::npos);
    const std::string a249(249, 'a');
    writer.DxfWriteMText(a249 + "{b}", POINT{}, 150, 0, 0.0, nullptr);
    EXPECT_NE(Written().find("|3=" + a249 + "|1=\\{b\\}|"), std::string::npos);
    const std::string a248(248, 'a');
    writer.DxfWriteMText(a248 + "\\\\b", POINT{}, 150, 0, 0.0, nullptr);
    EXPECT_NE(Written().find("|3=" + a248 + "\\\\|1=\\\\b|"), std::string::npos);
}

// The file's code page is 1252: typed (UTF-8) text goes out in it where it can, each other
// character as a "\U+" escape (a character beyond U+FFFF as its two UTF-16 halves), which no
// piece cuts; text stored in code page 1252 goes out as stored.
TEST_F(DxfEntities, TextsAreInCodePage1252WithUnicodeEscapesForTheRest) {
    writer.DxfWriteMText(std::string("10\xC2\xB5") + "F \xCE\xA9", POINT{}, 150, 0, 0.0, nullptr);
    EXPECT_NE(Written().find(std::string("|1=10\xB5") + "F \\U+03A9|"), std::string::npos);
    writer.DxfWriteMText("\xE7\x94\xB5\xE9\x98\xBB \xF0\x9F\x98\x80", POINT{}, 150, 0, 0.0,
                         nullptr);
    EXPECT_NE(Written().find("|1=\\U+7535\\U+963B \\U+D83D\\U+DE00|"), std::string::npos);
    writer.DxfWriteMText("caf\xE9 \xC2\xB5", POINT{}, 150, 0, 0.0, nullptr);
    EXPECT_NE(Written().find("|1=caf\xE9 \xC2\xB5|"), std::string::npos);
    const std::string a246(246, 'a');
    writer.DxfWriteMText(a246 + "\xCE\xA9" + "b", POINT{}, 150, 0, 0.0, nullptr);
    EXPECT_NE(Written().find("|3=" + a246 + "|1=\\U+03A9b|"), std::string::npos);
}

}  // namespace
