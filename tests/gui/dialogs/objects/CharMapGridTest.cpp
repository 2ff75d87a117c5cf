// The character grid apart from its window: scroll range, hit cells and arrow keys.

#include <gtest/gtest.h>

#include "gui/dialogs/objects/CharMapGrid.h"

namespace {

using Arrow = CCharMapGrid::Arrow;

TEST(CharMapGridTest, ScrollRangeFollowsTheVisibleRowsAndNeverGoesNegative) {
    CCharMapGrid grid;
    grid.SetVisibleRows(8);
    EXPECT_EQ(grid.ScrollMax(), 15);
    EXPECT_EQ(grid.ScrollTo(40), 15);
    EXPECT_EQ(grid.ScrollPos(), 15);
    EXPECT_EQ(grid.ScrollTo(-3), -15);
    grid.SetVisibleRows(30);  // all 23 rows fit
    EXPECT_EQ(grid.ScrollMax(), 0);
    EXPECT_EQ(grid.ScrollTo(2), 0);
}

TEST(CharMapGridTest, CellsGiveTheirCharacters) {
    CCharMapGrid grid;
    grid.SetVisibleRows(8);
    EXPECT_EQ(grid.CharAt(2, 3), 55);
    grid.ScrollTo(15);
    // The last row holds 252-255; the cells after 255 are empty.
    EXPECT_EQ(grid.CharAt(7, 0), 252);
    EXPECT_EQ(grid.CharAt(7, 3), 255);
    EXPECT_GT(grid.CharAt(7, 4), CCharMapGrid::kLastChar);
}

TEST(CharMapGridTest, ArrowsStayWithinTheCharacters) {
    CCharMapGrid grid;
    grid.SetVisibleRows(8);
    grid.Select(250);
    EXPECT_FALSE(grid.Move(Arrow::Down));
    EXPECT_EQ(grid.Selection(), 250);
    grid.Select(35);
    EXPECT_FALSE(grid.Move(Arrow::Up));
    EXPECT_EQ(grid.Selection(), 35);
    grid.Select(32);
    EXPECT_FALSE(grid.Move(Arrow::Left));
    grid.Select(255);
    EXPECT_FALSE(grid.Move(Arrow::Right));
    EXPECT_TRUE(grid.Move(Arrow::Up));
    EXPECT_EQ(grid.Selection(), 245);
    EXPECT_TRUE(grid.Move(Arrow::Left));
    EXPECT_EQ(grid.Selection(), 244);
}

TEST(CharMapGridTest, MovingScrollsTheSelectionIntoView) {
    CCharMapGrid grid;
    grid.SetVisibleRows(8);
    grid.Select(101);                     // row 6
    EXPECT_TRUE(grid.Move(Arrow::Down));  // 111, row 7: still the last visible row
    EXPECT_EQ(grid.ScrollPos(), 0);
    EXPECT_TRUE(grid.Move(Arrow::Down));  // 121, row 8
    EXPECT_EQ(grid.ScrollPos(), 1);
    grid.ScrollIntoView(32);
    EXPECT_EQ(grid.ScrollPos(), 0);
    grid.ScrollIntoView(255);  // row 22 becomes the last visible
    EXPECT_EQ(grid.ScrollPos(), 15);
}

}  // namespace
