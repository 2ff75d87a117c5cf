// Where the sub-circuit wizard's symbol goes on the sheet.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/SubcctPlacement.h"

namespace {

const CRect kBlock(200, -200, 1100, -600);

// The nearest point of a grid of 100 units.
CPoint OnGrid(CPoint point) {
    const auto nearest = [](LONG v) { return LONG(std::floor(v / 100.0 + 0.5) * 100); };
    return CPoint(nearest(point.x), nearest(point.y));
}

// The block placed with its upper left corner, on the grid, as the anchor.
CSize Place(CDrawDoc& doc, CPoint anchor = kBlock.TopLeft()) {
    return FindSubcctPlace(doc, kBlock, anchor, OnGrid);
}

TEST(SubcctPlacementTest, AnEmptySheetTakesTheFirstPlace) {
    CDrawDoc doc;
    EXPECT_EQ(Place(doc), CSize(300, -300));
}

TEST(SubcctPlacementTest, TakenPlacesAreSkippedDownTheColumnThenRight) {
    CDrawDoc doc;
    doc.AddObject(std::make_unique<CDrawRect>(CRect(600, -550, 650, -650)));
    // The block at (500, -500) reaches down to -900 and meets the rectangle; at (500, -700)
    // it lies below it.
    EXPECT_EQ(Place(doc), CSize(300, -500));
    // A rectangle down the whole first column sends the block one column right.
    doc.AddObject(std::make_unique<CDrawRect>(CRect(550, -400, 560, -20000)));
    EXPECT_EQ(Place(doc), CSize(500, -300));
}

// The block goes inside the frame: a frame margin wider than the first place moves it to the
// frame's inside corner, and no place over the frame's right margin counts as free.
TEST(SubcctPlacementTest, TheBlockStaysInsideTheFrame) {
    CDrawDoc wide;
    wide.m_border.m_frameSize = 800;
    // The inside starts at (800, -800); the block's upper left corner is (200, -200).
    EXPECT_EQ(Place(wide), CSize(600, -600));

    CDrawDoc small;
    small.SetPaperSize(3000, -3000);
    small.SetMargins(RECT{300, 300, 300, 300});
    // The drawing area is (0, 0) to (2400, -2400), the frame's inside (150, -150) to
    // (2250, -2250), the title block its lowest 1000. A rectangle fills the inside above the
    // title block up to x = 1400: a 900 wide block would fit right of it only over the frame's
    // right margin, so none is free and the first place is taken.
    small.AddObject(std::make_unique<CDrawRect>(CRect(150, -150, 1400, -1400)));
    EXPECT_EQ(Place(small), CSize(300, -300));
}

// An anchor off the grid moves each place the least that puts it on the grid: (250, -230) at
// the first place (550, -530) goes to (600, -500).
TEST(SubcctPlacementTest, ThePlaceMovesTheAnchorOntoTheGrid) {
    CDrawDoc doc;
    EXPECT_EQ(Place(doc, CPoint(250, -230)), CSize(350, -270));
    // Moved up 30 onto a rectangle just above the first place, the place is not free.
    doc.AddObject(std::make_unique<CDrawRect>(CRect(600, -480, 650, -490)));
    EXPECT_EQ(Place(doc, CPoint(250, -230)), CSize(350, -470));
}

}  // namespace
