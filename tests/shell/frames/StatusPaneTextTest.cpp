#include "shell/frames/StatusPaneText.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/shapes/DrawRect.h"
#include "platform/ObList.h"

TEST(StatusPaneText, ShowsInchesOrCentimetresWithYGrowingDown) {
    struct Case {
        bool metric;
        const char* position;
        const char* size;
    };
    for (const Case& c :
         {Case{false, "1.000, 2.000", "0.500 x 1.000"}, Case{true, "2.54, 5.08", "1.27 x 2.54"}}) {
        EXPECT_STREQ(PositionPaneText(POINT{1000, -2000}, c.metric), c.position);
        EXPECT_STREQ(SizePaneText(500, 1000, c.metric), c.size);
    }
    EXPECT_STREQ(CursorPaneText(POINT{1000, -2000}, false), "1.000: 2.000");
    EXPECT_STREQ(CursorPaneText(POINT{1000, -2000}, true), "2.54: 5.08");
}

TEST(StatusPaneText, OneObjectShowsItsCornerAndSeveralTheirUpperLeftEdges) {
    CObList selection;
    EXPECT_TRUE(SelectionTexts(selection, false).position.IsEmpty());
    EXPECT_TRUE(SelectionTexts(selection, false).size.IsEmpty());
    CDrawRect first(CRect(1000, -2000, 1500, -3000));
    selection.AddTail(&first);
    EXPECT_STREQ(SelectionTexts(selection, false).position, "1.000, 2.000");
    CDrawRect second(CRect(500, -2500, 800, -2800));
    selection.AddTail(&second);
    // The common bounds grow by the pens' half widths.
    const CRect bounds = SelectionBounds(selection);
    const int upper = std::max(bounds.top, bounds.bottom);
    EXPECT_STREQ(SelectionTexts(selection, false).position,
                 PositionPaneText(POINT{bounds.left, upper}, false));
    EXPECT_LT(bounds.left, 500);
    EXPECT_GT(upper, -2000);
}
