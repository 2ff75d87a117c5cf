#include "platform/RecordingDC.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace {

LOGFONT ArialFont(LONG height) {
    LOGFONT log;
    log.lfHeight = height;
    log.lfWeight = FW_BOLD;
    std::strcpy(log.lfFaceName, "Arial");
    return log;
}

}  // namespace

TEST(RecordingDC, ContinuingCallsMoveTheCurrentPosition) {
    CRecordingDC dc;
    dc.MoveTo(1, 1);
    const POINT run[] = {{2, 2}, {3, 1}};
    EXPECT_TRUE(dc.PolylineTo(run, 2));
    const POINT curve[] = {{4, 4}, {6, 4}, {7, 1}};
    EXPECT_TRUE(dc.PolyBezierTo(curve, 3));
    EXPECT_FALSE(dc.PolyBezierTo(curve, 2));  // not whole segments
    EXPECT_FALSE(dc.PolyBezier(curve, 3));
    EXPECT_FALSE(dc.Polyline(run, 1));
    EXPECT_EQ(dc.GetCurrentPosition().x, 7);
    LOGBRUSH red{BS_SOLID, RGB(255, 0, 0), 0};
    CPen flat(PS_GEOMETRIC | PS_ENDCAP_FLAT, 30, &red);
    dc.SelectObject(&flat);
    EXPECT_TRUE(dc.LineTo(9, 9));
    EXPECT_THAT(dc.Lines(),
                ElementsAre("MoveTo 1,1", "PolylineTo 2,2 3,1 pen=solid/0/0x000000 rop=13",
                            "PolyBezierTo 4,4 6,4 7,1 pen=solid/0/0x000000 rop=13",
                            "LineTo 9,9 pen=solid+geometric+flatcap/30/0x0000FF rop=13"));
}

TEST(RecordingDC, PathsDrawOnlyWhenClosed) {
    CRecordingDC dc;
    EXPECT_FALSE(dc.StrokeAndFillPath());
    dc.BeginPath();
    dc.MoveTo(0, 0);
    dc.LineTo(100, 0);
    EXPECT_FALSE(dc.StrokePath());  // still open
    EXPECT_TRUE(dc.EndPath());
    EXPECT_FALSE(dc.EndPath());
    EXPECT_TRUE(dc.StrokeAndFillPath());
    EXPECT_FALSE(dc.FillPath());  // the path was used up
    EXPECT_THAT(dc.Lines(), ElementsAre("BeginPath", "MoveTo 0,0",
                                        "LineTo 100,0 pen=solid/0/0x000000 rop=13", "EndPath",
                                        "StrokeAndFillPath pen=solid/0/0x000000 "
                                        "brush=solid/0xFFFFFF fill=alternate rop=13"));
}

TEST(RecordingDC, PatternsRopsAndTheBackgroundLeftByASolidFill) {
    CRecordingDC dc;
    const RECT r{1, 2, 3, 4};
    CBrush checker(BrushPattern{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55});
    dc.FrameRect(&r, &checker);
    dc.FillSolidRect(&r, RGB(0, 255, 0));
    dc.SelectStockObject(GRAY_BRUSH);
    EXPECT_TRUE(dc.PatBlt(5, 6, 7, 8, PATINVERT));
    EXPECT_FALSE(dc.PatBlt(5, 6, 7, 8, 0x12345678));
    dc.InvertRect(&r);
    EXPECT_THAT(dc.Lines(), ElementsAre("FrameRect 1,2,3,4 brush=pattern/AA55AA55AA55AA55",
                                        "FillRect 1,2,3,4 brush=solid/0x00FF00",
                                        "PatBlt 5,6,12,14 rop=0x005A0049 brush=solid/0x808080",
                                        "PatBlt 1,2,3,4 rop=0x00550009 brush=solid/0x808080"));
    EXPECT_EQ(dc.GetBkColor(), RGB(0, 255, 0));
}

TEST(RecordingDC, TextMetricsFollowTheFontHeight) {
    CRecordingDC dc;
    dc.SetMapMode(MM_HIENGLISH);  // metrics stay in logical units
    const LOGFONT log = ArialFont(-100);
    CFont font;
    font.CreateFontIndirect(&log);
    dc.SelectObject(&font);
    TEXTMETRIC tm;
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight, 100);
    EXPECT_EQ(tm.tmAscent, 80);
    EXPECT_EQ(tm.tmDescent, 20);
    EXPECT_EQ(tm.tmAveCharWidth, 60);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    const SIZE extent = dc.GetTextExtent("Text");
    EXPECT_EQ(extent.cx, 240);
    EXPECT_EQ(extent.cy, 100);

    int fit = 0;
    int dx[5] = {};
    SIZE size{};
    ASSERT_TRUE(dc.GetTextExtentExPoint("Hello", 5, 200, &fit, dx, &size));
    EXPECT_EQ(fit, 3);
    EXPECT_THAT(dx, ElementsAre(60, 120, 180, 240, 300));
    EXPECT_EQ(size.cx, 300);

    dc.SelectStockObject(SYSTEM_FONT);
    EXPECT_EQ(dc.GetTextExtent(std::string("ab")).cx, 20);  // height 16
}

TEST(RecordingDC, UpdatingTheCurrentPositionChainsText) {
    CRecordingDC dc;
    const LOGFONT log = ArialFont(-10);
    CFont font;
    font.CreateFontIndirect(&log);
    dc.SelectObject(&font);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetViewportExt(-1, 1);  // x grows to the left: text advances towards smaller x
    dc.SetTextAlign(TA_UPDATECP);
    dc.MoveTo(100, 0);
    dc.TextOut(0, 0, "abc");
    dc.TextOut(0, 0, "d");
    EXPECT_EQ(dc.GetCurrentPosition().x, 76);
    dc.SetTextAlign(TA_UPDATECP | TA_RIGHT);  // right aligned text steps backwards
    dc.TextOut(0, 0, "ef");
    EXPECT_EQ(dc.GetCurrentPosition().x, 88);
    const std::vector<std::string>& lines = dc.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1].substr(0, lines[1].find(" font")), "TextOut 100,0 \"abc\"");
    EXPECT_EQ(lines[2].substr(0, lines[2].find(" font")), "TextOut 82,0 \"d\"");
    EXPECT_EQ(lines[3].substr(0, lines[3].find(" font")), "TextOut 76,0 \"ef\"");
}

TEST(RecordingDC, DrawTextLaysOutLinesInTheRectangle) {
    CRecordingDC dc;
    dc.SetMapMode(MM_HIENGLISH);  // y up: the rectangle's top is its greater y
    const LOGFONT log = ArialFont(-100);
    CFont font;
    font.CreateFontIndirect(&log);
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);

    RECT box{0, 0, 1000, -500};
    EXPECT_EQ(dc.DrawText("centre", &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER), 100);
    RECT calc{0, 0, 250, -500};
    EXPECT_EQ(dc.DrawText("one two three", &calc, DT_WORDBREAK | DT_CALCRECT), 300);
    EXPECT_EQ(calc.right, 300);  // the widest line, "three", at 60 a byte
    EXPECT_EQ(calc.bottom, -300);
    RECT wrap{0, 0, 450, -500};
    dc.DrawText("one two three\r\nfour", -1, &wrap, DT_WORDBREAK | DT_RIGHT | DT_NOCLIP);

    const std::vector<std::string>& lines = dc.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0],
              "TextOut 320,-200 \"centre\" font=Arial/-100/700 color=0x000000 bk=transparent "
              "align=left,top opts=clipped rect=0,0,1000,-500");
    EXPECT_EQ(lines[1].substr(0, lines[1].find(" font")), "TextOut 30,0 \"one two\"");
    EXPECT_EQ(lines[2].substr(0, lines[2].find(" font")), "TextOut 150,-100 \"three\"");
    EXPECT_EQ(lines[3].substr(0, lines[3].find(" font")), "TextOut 210,-200 \"four\"");
    EXPECT_EQ(lines[3].find("opts="), std::string::npos);
}
