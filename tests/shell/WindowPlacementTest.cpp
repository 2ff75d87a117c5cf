#include "shell/WindowPlacement.h"

#include <gtest/gtest.h>

TEST(WindowPlacement, FormatsTenNumbersAndReadsThemBack) {
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
}

TEST(WindowPlacement, ReadsLikeTheScanPattern) {
    // Blanks before numbers and anything after the tenth are allowed.
    auto p = ParseWindowPlacement(" 0, 1,-1,-1,-1,-1, 100,80,900,680 trailing");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->normal.left, 100);
    EXPECT_EQ(p->normal.right, 900);
    EXPECT_TRUE(ParseWindowPlacement("+0,+1,-1,-1,-1,-1,0,0,10,10"));
}

TEST(WindowPlacement, RejectsWhatIsNotTenNumbersOrAnEmptyWindow) {
    EXPECT_FALSE(ParseWindowPlacement(""));
    EXPECT_FALSE(ParseWindowPlacement("0,1,-1,-1,-1,-1,100,80,900"));  // nine numbers
    EXPECT_FALSE(ParseWindowPlacement("0,1,-1,-1,-1,-1,100,80,900,"));
    EXPECT_FALSE(ParseWindowPlacement("0;1;-1;-1;-1;-1;100;80;900;680"));
    EXPECT_FALSE(ParseWindowPlacement("0 ,1,-1,-1,-1,-1,100,80,900,680"));
    EXPECT_FALSE(ParseWindowPlacement("0,1,-1,-1,-1,-1,100,80,x,680"));
    EXPECT_FALSE(ParseWindowPlacement("0,1,-1,-1,-1,-1,100,80,99999999999,680"));
    EXPECT_FALSE(ParseWindowPlacement("0,1,-1,-1,-1,-1,100,80,100,680"));  // no width
    EXPECT_FALSE(ParseWindowPlacement("0,1,-1,-1,-1,-1,100,80,900,70"));   // upside down
}

TEST(WindowPlacement, AStartCommandWinsAndAMinimisedWindowComesBack) {
    WindowPlacement p;
    p.showCmd = SW_SHOWMAXIMIZED;
    EXPECT_EQ(ResolveShowCommand(p, SW_SHOWNORMAL), SW_SHOWMAXIMIZED);
    EXPECT_EQ(ResolveShowCommand(p, SW_SHOWMINIMIZED), SW_SHOWMINIMIZED);
    p.showCmd = SW_SHOWNORMAL;
    EXPECT_EQ(ResolveShowCommand(p, SW_SHOWNORMAL), SW_SHOWNORMAL);

    // Closed while minimised: the next start must not come up minimised or hidden.
    p.showCmd = SW_SHOWMINIMIZED;
    EXPECT_EQ(ResolveShowCommand(p, SW_SHOWNORMAL), SW_SHOWNORMAL);
    p.flags = WPF_RESTORETOMAXIMIZED;
    EXPECT_EQ(ResolveShowCommand(p, SW_SHOWNORMAL), SW_SHOWMAXIMIZED);
    p.flags = 0;
    p.showCmd = SW_HIDE;
    EXPECT_EQ(ResolveShowCommand(p, SW_SHOWNORMAL), SW_SHOWNORMAL);
}
