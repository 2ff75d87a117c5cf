// Where the sub-circuit wizard's symbol goes on the sheet.

#include <gtest/gtest.h>

#include <memory>

#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/SubcctPlacement.h"

namespace {

const CRect kBlock(200, -200, 1100, -600);

TEST(SubcctPlacementTest, AnEmptySheetTakesTheFirstPlace) {
    CDrawDoc doc;
    EXPECT_EQ(FindSubcctPlace(doc, kBlock), CSize(300, -300));
}

TEST(SubcctPlacementTest, TakenPlacesAreSkippedDownTheColumnThenRight) {
    CDrawDoc doc;
    doc.AddObject(std::make_unique<CDrawRect>(CRect(600, -550, 650, -650)));
    // The block at (500, -500) reaches down to -900 and meets the rectangle; at (500, -700)
    // it lies below it.
    EXPECT_EQ(FindSubcctPlace(doc, kBlock), CSize(300, -500));
    // A rectangle down the whole first column sends the block one column right.
    doc.AddObject(std::make_unique<CDrawRect>(CRect(550, -400, 560, -20000)));
    EXPECT_EQ(FindSubcctPlace(doc, kBlock), CSize(500, -300));
}

}  // namespace
