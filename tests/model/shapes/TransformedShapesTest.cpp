#include "model/shapes/TransformedShapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/geometry/PlacementMatrix.h"
#include "platform/RecordingDC.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

// A drawing context with a pen of the given style and width selected.
class PenDC {
public:
    PenDC(int style, int width) : m_pen(style, width, kRed) { m_dc.SelectObject(&m_pen); }
    CRecordingDC* operator->() { return &m_dc; }
    CDC* dc() { return &m_dc; }
    const std::vector<std::string>& Lines() const { return m_dc.Lines(); }

private:
    CRecordingDC m_dc;
    CPen m_pen;
};

const RECT kRect{0, 0, 100, 50};
const double kShear[kMatrixSize] = {2, 1, 0, 0, 1, 0};  // x' = 2x + y
const std::string kBandStyle = " pen=solid/0/0x0000FF brush=solid/0x0000FF fill=alternate rop=13";

}  // namespace

TEST(TransformedShapes, AxisKeepingMatricesDrawRectanglesOthersPolygons) {
    PenDC dc(PS_SOLID, 10);
    double halfTurn[kMatrixSize];
    MatrixSetRotation(1800, halfTurn);
    halfTurn[kMatTx] = 1000;
    DrawTransformedRect(dc.dc(), kRect, halfTurn);
    ASSERT_EQ(dc.Lines().size(), 1u);
    EXPECT_EQ(dc.Lines()[0].rfind("Rectangle 1000,0,900,-50 ", 0), 0u) << dc.Lines()[0];

    PenDC thin(PS_SOLID, 1);  // a thin pen draws the mapped quadrilateral
    DrawTransformedRect(thin.dc(), kRect, kShear);
    EXPECT_EQ(thin.Lines()[0].rfind("Polygon 0,0 50,50 250,50 200,0 pen=solid/1/", 0), 0u);
}

TEST(TransformedShapes, WidePenDrawsBandsCentredOnTheOutline) {
    PenDC dc(PS_SOLID, 10);
    DrawTransformedRect(dc.dc(), kRect, kShear);
    // Thickness 5 across the sides (x is doubled) and 7 across top and bottom (the mapped
    // y axis has length sqrt 2); the rect is widened by 2 and 3 to centre the bands.
    ASSERT_EQ(dc.Lines().size(), 5u);
    EXPECT_EQ(dc.Lines()[0].rfind("Polygon 0,0 50,50 250,50 200,0 pen=null ", 0), 0u);
    EXPECT_EQ(dc.Lines()[1], "Polygon -7,-3 0,4 208,4 201,-3" + kBandStyle);
    EXPECT_EQ(dc.Lines()[3], "Polygon -7,-3 3,-3 59,53 49,53" + kBandStyle);
    EXPECT_EQ(dc->GetCurrentPen()->Log().lopnWidth.x, 10);
    EXPECT_EQ(dc->GetCurrentBrush()->Log().lbColor, RGB(255, 255, 255));
}

TEST(TransformedShapes, InsideFramePenKeepsBandsInsideAndSingularMatrixDrawsNone) {
    PenDC dc(PS_INSIDEFRAME, 10);
    DrawTransformedRect(dc.dc(), kRect, kShear);
    ASSERT_EQ(dc.Lines().size(), 5u);
    EXPECT_EQ(dc.Lines()[1], "Polygon 0,0 7,7 207,7 200,0" + kBandStyle);

    dc->Clear();
    const double singular[kMatrixSize] = {1, 1, 0, 1, 1, 0};
    DrawTransformedRect(dc.dc(), kRect, singular);
    EXPECT_EQ(dc.Lines().size(), 1u);
}

TEST(TransformedShapes, RoundRectIsOnePolygonOfQuarterEllipses) {
    PenDC dc(PS_SOLID, 4);
    DrawTransformedRoundRect(dc.dc(), RECT{100, 60, 0, 0}, 20, 10, nullptr);
    ASSERT_EQ(dc.Lines().size(), 1u);
    const std::string& line = dc.Lines()[0];
    EXPECT_EQ(line.rfind("Polygon 10,60 ", 0), 0u) << line;
    // 37 points per corner: 36 samples 2.5 degrees apart and the corner's end point.
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 4 * 37);
    EXPECT_NE(line.find(" 0,55 0,5 "), std::string::npos);
    EXPECT_NE(line.find(" 90,60 pen="), std::string::npos);

    // An inside-frame pen moves the outline in by half its width.
    PenDC inside(PS_INSIDEFRAME, 4);
    DrawTransformedRoundRect(inside.dc(), RECT{0, 0, 100, 60}, 20, 10, nullptr);
    EXPECT_EQ(inside.Lines()[0].rfind("Polygon 10,58 ", 0), 0u) << inside.Lines()[0];
}
