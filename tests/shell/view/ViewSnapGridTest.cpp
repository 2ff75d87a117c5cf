#include "shell/view/ViewSnapGrid.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "platform/ObList.h"
#include "shell/view/SnapEngine.h"

namespace {

CSnapGrid InchGrid(float spacing) {
    CSnapGrid grid;
    grid.m_spaceX = grid.m_spaceY = spacing;
    grid.Update();
    return grid;
}

DCMapping Zoomed(int pixelsPerInch) {
    DCMapping mapping(96, 96);
    mapping.SetMode(MM_ANISOTROPIC);
    mapping.SetWindowExt(SIZE{1000, -1000});
    mapping.SetViewportExt(SIZE{pixelsPerInch, pixelsPerInch});
    return mapping;
}

}  // namespace

TEST(SnapGrid, RoundsToTheNearestPointWithHalvesUp) {
    const CSnapGrid grid = InchGrid(0.1f);
    EXPECT_EQ(grid.SnapPoint(150, -150), CPoint(200, -100));
    EXPECT_EQ(grid.SnapPoint(149, -51), CPoint(100, -100));
    CSnapGrid metric = InchGrid(0.25f);
    metric.m_metric = 1;
    metric.Update();
    EXPECT_FLOAT_EQ(metric.m_logicalX, 0.25f * 0.39370078f * 1000.0f);
    EXPECT_NEAR(metric.m_logicalY, 98.425, 1e-3);
}

TEST(SnapGrid, KeepsItsSettingsAndRefusesSpacingsNotAboveZero) {
    CSchematicApp app(std::filesystem::path{});
    CSnapGrid grid;
    grid.Load(app, false);
    EXPECT_FLOAT_EQ(grid.m_logicalX, 100.0f);
    EXPECT_EQ(grid.m_colour, 0x800000u);
    grid.Save(app, false);
    EXPECT_STREQ(app.GetProfileString("Grid", "XSpace"), "0.100000");
    grid.Load(app, true);
    grid.Save(app, true);
    EXPECT_STREQ(app.GetProfileString("SymbGrid", "XSpace"), "0.020000");
    EXPECT_EQ(app.GetProfileInt("SymbGrid", "Shown", 0), 1u);

    for (const char* stored : {"0.000000", "-0.5", "nan"}) {
        app.WriteProfileString("Grid", "XSpace", stored);
        grid.Load(app, false);
        EXPECT_FLOAT_EQ(grid.m_spaceX, 0.1f) << stored;
        EXPECT_EQ(grid.SnapPoint(149, -51), CPoint(100, -100)) << stored;
    }
}

TEST(SnapGrid, DrawsDotsOnlyWhenShownAndAtLeastEightPixelsApart) {
    CSnapGrid grid = InchGrid(0.1f);
    const CRect paper(-300, 300, 11393, -7968);
    const CRect clip(0, 0, 1000, -500);
    // 96 pixels per inch: 9.6 pixels per 0.1 inch; 11 x 6 dots in the clip.
    EXPECT_EQ(grid.Dots(Zoomed(96), paper, clip).size(), 66u);
    EXPECT_TRUE(grid.Dots(Zoomed(70), paper, clip).empty());
    grid.m_shown = 0;
    EXPECT_TRUE(grid.Dots(Zoomed(96), paper, clip).empty());
}

TEST(SnapGrid, ASegmentOffersItsGridCrossings) {
    CSnapGrid grid = InchGrid(0.1f);
    // 37² + 10² is within 1.2 x (37² + 20²): the crossing with x = 400 wins.
    CPoint p(437, -120);
    const double best = 1.2 * (37 * 37 + 20 * 20);
    EXPECT_EQ(grid.TrySegment(p, 0, -130, 1000, -130, best), 37.0 * 37 + 10 * 10);
    EXPECT_EQ(p, CPoint(400, -130));
    CPoint far(437, -300);
    EXPECT_LT(grid.TrySegment(far, 0, -130, 1000, -130, 100.0), 0);
    EXPECT_EQ(far, CPoint(437, -300));
}

class SnapEngineTest : public ::testing::Test {
protected:
    SnapEngineTest() {
        auto line = std::make_unique<CDrawRect>(CRect(0, -130, 1000, -130));
        line->SetShape(kShapeLine);
        m_line = line.get();
        m_doc.AddObject(std::move(line));
    }

    CDrawDoc m_doc;
    CDrawObj* m_line = nullptr;
    CSnapGrid m_grid = InchGrid(0.1f);
};

TEST_F(SnapEngineTest, SnapsToTheGridOrToNearbyObjectsAsTheOptionsAllow) {
    struct Case {
        DWORD options;
        CPoint from;
        CPoint to;
        bool byObject;
    };
    const Case cases[] = {
        {0x20000000, {149, -51}, {100, -100}, false},   // grid only
        {0x0FFFFFFF, {149, -351}, {149, -351}, false},  // no grid, nothing near
        {0xAFFFFFFF, {437, -120}, {400, -130}, true},   // the line's grid crossing
        {0xAFFFFFFF, {149, -351}, {100, -400}, false},  // nothing near: the grid
    };
    for (const Case& c : cases) {
        SnapEngine engine(m_doc, m_grid, c.options);
        CPoint p = c.from;
        CDrawObj* found = engine.SnapPoint(p, 0xEFFFFFFF, nullptr);
        EXPECT_EQ(p, c.to) << std::hex << c.options;
        EXPECT_EQ(found, c.byObject ? m_line : nullptr) << std::hex << c.options;
    }
}

TEST_F(SnapEngineTest, ExcludedObjectsNeverAttractThePoint) {
    CObList exclude;
    exclude.AddTail(m_line);
    SnapEngine engine(m_doc, m_grid, 0xAFFFFFFF);
    CPoint p(437, -120);
    EXPECT_EQ(engine.SnapPoint(p, 0xEFFFFFFF, &exclude), nullptr);
    EXPECT_EQ(p, CPoint(400, -100));
    EXPECT_EQ(m_line->GetFlags() & kFlagSnapExcluded, 0u);
}

TEST_F(SnapEngineTest, APointNearAPinEndTakesTheEndAndReturnsThePin) {
    auto* symbol = new CSymbol();
    symbol->SetDocument(&m_doc);
    auto* pin = new CPin(symbol);
    pin->SetEnds(CPoint(330, -100), CPoint(230, -100));
    symbol->GetPins().AddTail(pin);
    symbol->RecalcBounds(nullptr);
    m_doc.GetObjects().AddTail(symbol);
    SnapEngine engine(m_doc, m_grid, 0xAFFFFFFF);
    CPoint p(210, -90);
    EXPECT_EQ(engine.SnapPoint(p, 0xEFFFFFFF, nullptr), pin);
    EXPECT_EQ(p, CPoint(230, -100));
}

TEST_F(SnapEngineTest, AMovedSymbolLandsWithItsPinOnTheGrid) {
    auto* symbol = new CSymbol();
    symbol->SetDocument(&m_doc);
    auto* pin = new CPin(symbol);
    pin->SetEnds(CPoint(330, -100), CPoint(230, -100));
    symbol->GetPins().AddTail(pin);
    symbol->RecalcBounds(nullptr);
    m_doc.GetObjects().AddTail(symbol);
    CObList selection;
    selection.AddTail(symbol);
    struct Case {
        DWORD options;
        bool invert;
        CPoint delta;
    };
    // The pin end moves from (230, -100) to (267, -112); (300, -100) is the grid point.
    const Case cases[] = {
        {0xA0000000, false, {70, 0}}, {0xA0000000, true, {37, -12}}, {0x80000000, true, {70, 0}}};
    for (const Case& c : cases) {
        SnapEngine engine(m_doc, m_grid, c.options);
        CPoint delta(37, -12);
        engine.SnapMove(delta, CPoint(0, 0), symbol, selection, c.invert);
        EXPECT_EQ(delta, c.delta) << std::hex << c.options << " " << c.invert;
    }
    EXPECT_EQ(symbol->GetFlags() & kFlagSnapExcluded, 0u);
}
