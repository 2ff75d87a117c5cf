// The sub-circuit wizard's symbol placed on the sheet.

#include <gtest/gtest.h>

#include <cmath>

#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/SubcctLayout.h"
#include "model/symbol/SubcctSymbolBuilder.h"
#include "model/symbol/Symbol.h"
#include "shell/commands/SubcctWizardCommand.h"
#include "shell/view/ViewSnapGrid.h"

namespace {

// The grid of a schematic view: a tenth of an inch.
CSnapGrid SheetGrid() {
    CSnapGrid grid;
    grid.m_spaceX = grid.m_spaceY = 0.1f;
    grid.Update();
    return grid;
}

TEST(SubcctWizardCommandTest, TheSymbolGoesToTheFirstFreePlace) {
    CDrawDoc doc;
    doc.AddObject(std::make_unique<CDrawRect>(CRect(600, -550, 650, -650)));
    CSymbol* symbol = BuildSubcctSymbol({{"IN", kSubcctInto}}, {});
    CRect before = symbol->GetPosition();
    before.NormalizeRect();
    ASSERT_TRUE(PlaceSubcctSymbol(doc, symbol, SheetGrid()));
    EXPECT_EQ(doc.GetObjects().GetCount(), 2);
    EXPECT_EQ(doc.GetObjects().GetTail(), symbol);
    // Below the rectangle: the block's left edge at 500 and its upper edge at -700, moved the
    // least that puts its pins, which the layout puts on points of the grid, on the grid.
    const auto nearest = [](double v) { return std::floor(v / 100 + 0.5) * 100; };
    EXPECT_EQ(symbol->GetMatrix()[2], nearest(500 - before.left));
    EXPECT_EQ(symbol->GetMatrix()[5], nearest(-700 - before.bottom));
}

// A block of two pins on each side goes on the grid: every pin's end on a grid point.
TEST(SubcctWizardCommandTest, ThePinsLandOnTheGrid) {
    CDrawDoc doc;
    CSymbol* symbol = BuildSubcctSymbol(
        {{"IN", kSubcctInto}, {"CLK", kSubcctInto}, {"OUT", kSubcctOut}, {"EN", kSubcctOut}}, {});
    ASSERT_TRUE(PlaceSubcctSymbol(doc, symbol, SheetGrid()));
    for (POSITION pos = symbol->GetPins().GetHeadPosition(); pos;) {
        const CPoint end = static_cast<CPin*>(symbol->GetPins().GetNext(pos))->GetConnectPoint();
        EXPECT_EQ(end.x % 100, 0) << end.x;
        EXPECT_EQ(end.y % 100, 0) << end.y;
    }
}

}  // namespace
