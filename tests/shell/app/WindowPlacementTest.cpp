#include "shell/app/WindowPlacement.h"

#include <gtest/gtest.h>

TEST(WindowPlacement, FormatsTenNumbersAndReadsThemLikeTheScanPattern) {
    WindowPlacement p;
    p.flags = WPF_RESTORETOMAXIMIZED;
    p.showCmd = SW_SHOWMAXIMIZED;
    p.normal = {-8, 20, 1000, 700};
    const std::string text = FormatWindowPlacement(p);
    EXPECT_EQ(text, "2,3,-1,-1,-1,-1,-8,20,1000,700");
    auto back = ParseWindowPlacement(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->flags, 2u);
    EXPECT_EQ(back->showCmd, 3u);
    EXPECT_EQ(back->minPosition.x, -1);
    EXPECT_EQ(back->maxPosition.y, -1);
    EXPECT_EQ(back->normal.left, -8);
    EXPECT_EQ(back->normal.bottom, 700);

    // Blanks before numbers, signs and anything after the tenth are allowed.
    back = ParseWindowPlacement(" 0, 1,-1,-1,-1,-1, 100,80,900,680 trailing");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->normal.left, 100);
    EXPECT_EQ(back->normal.right, 900);
    EXPECT_TRUE(ParseWindowPlacement("+0,+1,-1,-1,-1,-1,0,0,10,10"));

    for (const char* bad :
         {"", "0,1,-1,-1,-1,-1,100,80,900", "0,1,-1,-1,-1,-1,100,80,900,",
          "0;1;-1;-1;-1;-1;100;80;900;680", "0 ,1,-1,-1,-1,-1,100,80,900,680",
          "0,1,-1,-1,-1,-1,100,80,x,680", "0,1,-1,-1,-1,-1,100,80,99999999999,680",
          "0,1,-1,-1,-1,-1,100,80,100,680",  // no width
          "0,1,-1,-1,-1,-1,100,80,900,70"})  // upside down
        EXPECT_FALSE(ParseWindowPlacement(bad)) << bad;
}

TEST(WindowPlacement, AStartCommandWinsAndAMinimisedOrHiddenWindowComesBack) {
    struct Case {
        UINT flags, stored;
        int start, expected;
    };
    const Case cases[] = {
        {0, SW_SHOWMAXIMIZED, SW_SHOWNORMAL, SW_SHOWMAXIMIZED},
        {0, SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED, SW_SHOWMINIMIZED},
        {0, SW_SHOWNORMAL, SW_SHOWNORMAL, SW_SHOWNORMAL},
        {0, SW_SHOWMINIMIZED, SW_SHOWNORMAL, SW_SHOWNORMAL},
        {WPF_RESTORETOMAXIMIZED, SW_SHOWMINIMIZED, SW_SHOWNORMAL, SW_SHOWMAXIMIZED},
        {0, SW_HIDE, SW_SHOWNORMAL, SW_SHOWNORMAL},
    };
    for (const Case& c : cases) {
        WindowPlacement p;
        p.flags = c.flags;
        p.showCmd = c.stored;
        EXPECT_EQ(ResolveShowCommand(p, c.start), c.expected)
            << c.flags << " " << c.stored << " " << c.start;
    }
}
