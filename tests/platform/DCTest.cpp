// The state a device context keeps, checked through the recording context.

#include "platform/DC.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/RecordingDC.h"

namespace {

bool Equal(POINT a, POINT b) {
    return a.x == b.x && a.y == b.y;
}

bool Equal(SIZE a, SIZE b) {
    return a.cx == b.cx && a.cy == b.cy;
}

bool Equal(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

POINT ToDevice(const CDC& dc, POINT p) {
    dc.LPtoDP(&p);
    return p;
}

POINT ToLogical(const CDC& dc, POINT p) {
    dc.DPtoLP(&p);
    return p;
}

// Sheet units of 1/1000 inch, y up, at 96 pixels per inch.
void SetSheetMapping(CDC& dc) {
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1000, 1000);
    dc.SetViewportExt(96, -96);
}

}  // namespace

TEST(DCMapping, FixedModesFollowTheDeviceResolution) {
    CRecordingDC dc;
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    EXPECT_TRUE(Equal(ToDevice(dc, POINT{7, -3}), POINT{7, -3}));

    EXPECT_EQ(dc.SetMapMode(MM_HIENGLISH), MM_TEXT);
    EXPECT_TRUE(Equal(dc.GetWindowExt(), SIZE{1000, 1000}));
    EXPECT_TRUE(Equal(dc.GetViewportExt(), SIZE{96, -96}));
    EXPECT_TRUE(Equal(ToDevice(dc, POINT{1000, -2000}), POINT{96, 192}));

    dc.SetMapMode(MM_LOMETRIC);  // 254 units to the inch
    EXPECT_TRUE(Equal(ToDevice(dc, POINT{254, 254}), POINT{96, -96}));
    dc.SetMapMode(MM_TWIPS);
    EXPECT_TRUE(Equal(ToDevice(dc, POINT{1440, 0}), POINT{96, 0}));

    // Extents are fixed in these modes; an unknown mode changes nothing.
    dc.SetWindowExt(5, 5);
    EXPECT_TRUE(Equal(dc.GetWindowExt(), SIZE{1440, 1440}));
    EXPECT_EQ(dc.SetMapMode(42), 0);
    EXPECT_EQ(dc.GetMapMode(), MM_TWIPS);

    CRecordingDC printer(CRecordingDC::Device{600, 600, 5000, 6600, true});
    printer.SetMapMode(MM_HIENGLISH);
    EXPECT_TRUE(Equal(ToDevice(printer, POINT{1000, -1000}), POINT{600, 600}));
}

TEST(DCMapping, AnisotropicWithOriginsAndNegativeYExtent) {
    CRecordingDC dc;
    SetSheetMapping(dc);
    dc.SetWindowOrg(-400, 300);
    dc.SetViewportOrg(10, 20);
    // (x + 400) * 96 / 1000 + 10, (y - 300) * -96 / 1000 + 20
    EXPECT_TRUE(Equal(ToDevice(dc, POINT{600, -700}), POINT{106, 116}));
    EXPECT_TRUE(Equal(ToDevice(dc, POINT{-400, 300}), POINT{10, 20}));
    EXPECT_TRUE(Equal(ToLogical(dc, POINT{106, 116}), POINT{600, -700}));

    EXPECT_TRUE(Equal(dc.OffsetViewportOrg(5, -5), POINT{10, 20}));
    EXPECT_TRUE(Equal(dc.GetViewportOrg(), POINT{15, 15}));
    EXPECT_TRUE(Equal(dc.ScaleViewportExt(2, 1, 3, 1), SIZE{96, -96}));
    EXPECT_TRUE(Equal(dc.GetViewportExt(), SIZE{192, -288}));

    // Rectangles convert corner by corner, without being normalised.
    RECT r{0, 0, 1000, -1000};
    dc.SetViewportOrg(0, 0);
    dc.SetViewportExt(96, -96);
    dc.SetWindowOrg(0, 0);
    dc.LPtoDP(&r);
    EXPECT_TRUE(Equal(r, RECT{0, 0, 96, 96}));
    dc.DPtoLP(&r);
    EXPECT_TRUE(Equal(r, RECT{0, 0, 1000, -1000}));

    // Zero extents are refused.
    dc.SetWindowExt(0, 1000);
    dc.SetViewportExt(96, 0);
    EXPECT_TRUE(Equal(dc.GetWindowExt(), SIZE{1000, 1000}));
    EXPECT_TRUE(Equal(dc.GetViewportExt(), SIZE{96, -96}));
}

TEST(DCMapping, PointsRoundHalfUpAndSizesAwayFromZero) {
    CRecordingDC dc;
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(2, 2);
    dc.SetViewportExt(1, -1);
    // x: v / 2, y: -v / 2, halves towards plus infinity
    EXPECT_TRUE(Equal(ToDevice(dc, POINT{1, 1}), POINT{1, 0}));
    EXPECT_TRUE(Equal(ToDevice(dc, POINT{-1, -1}), POINT{0, 1}));
    EXPECT_TRUE(Equal(ToDevice(dc, POINT{-3, 3}), POINT{-1, -1}));

    // Sizes scale by the magnitudes and keep their signs, halves away from zero.
    SIZE s{3, -3};
    dc.LPtoDP(&s);
    EXPECT_TRUE(Equal(s, SIZE{2, -2}));
    SetSheetMapping(dc);
    s = SIZE{1000, 5};
    dc.LPtoDP(&s);
    EXPECT_TRUE(Equal(s, SIZE{96, 0}));
    s = SIZE{96, -96};
    dc.DPtoLP(&s);
    EXPECT_TRUE(Equal(s, SIZE{1000, -1000}));

    // Far coordinates saturate instead of overflowing.
    dc.SetWindowOrg(-2000000000, 0);
    EXPECT_EQ(ToLogical(dc, POINT{2000000000, 0}).x, 2147483647);

    // The farthest point over the widest window, onto viewports just narrower and just wider
    // than 2^29 and the widest: (2^32 - 1) (2^29 - 1) / (2^31 - 1) is 2^30 - 1.75, with 2^29
    // 2^30 + 0.25, and with 2^31 - 1 the whole 2^32 - 1.
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(2147483647, 1);
    dc.SetWindowOrg(-2147483647 - 1, 0);
    dc.SetViewportOrg(-1073741824, 0);
    dc.SetViewportExt(536870911, 1);
    EXPECT_EQ(ToDevice(dc, POINT{2147483647, 0}).x, -2);
    dc.SetViewportExt(536870912, 1);
    EXPECT_EQ(ToDevice(dc, POINT{2147483647, 0}).x, 0);
    dc.SetViewportOrg(-2147483647 - 1, 0);
    dc.SetViewportExt(2147483647, 1);
    EXPECT_EQ(ToDevice(dc, POINT{2147483647, 0}).x, 2147483647);
}

TEST(DCMapping, IsotropicKeepsBothAxesAtOneScale) {
    CRecordingDC dc;
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(1000, 1000);
    dc.SetViewportExt(200, -100);
    EXPECT_TRUE(Equal(dc.GetViewportExt(), SIZE{100, -100}));
    dc.SetViewportExt(-50, 400);
    EXPECT_TRUE(Equal(dc.GetViewportExt(), SIZE{-50, 50}));

    CRecordingDC wide(CRecordingDC::Device{200, 100, 1000, 1000, false});
    wide.SetMapMode(MM_ISOTROPIC);
    wide.SetWindowExt(100, 100);
    wide.SetViewportExt(200, 200);  // 1 inch across but 2 inches down
    EXPECT_TRUE(Equal(wide.GetViewportExt(), SIZE{200, 100}));
}

TEST(DCObjects, SelectObjectReturnsThePreviousOneAndIgnoresNothing) {
    CRecordingDC dc;
    CPen red(PS_SOLID, 0, RGB(255, 0, 0));
    CPen blue(PS_DASH, 0, RGB(0, 0, 255));
    EXPECT_EQ(dc.SelectObject(&red), GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc.SelectObject(&blue), &red);
    EXPECT_EQ(dc.SelectObject(&red), &blue);

    CBrush hatch(HS_CROSS, RGB(0, 128, 0));
    EXPECT_EQ(dc.SelectObject(&hatch), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(dc.SelectStockObject(NULL_BRUSH), &hatch);
    CGdiObject* generic = &hatch;
    EXPECT_EQ(dc.SelectObject(generic), GetStockObject(NULL_BRUSH));
    EXPECT_EQ(dc.GetCurrentBrush()->Log().lbHatch, HS_CROSS);

    // Selecting nothing, an uncreated object or an unknown stock object changes nothing.
    EXPECT_EQ(dc.SelectObject(nullptr), nullptr);
    EXPECT_EQ(dc.SelectObject(static_cast<CPen*>(nullptr)), nullptr);
    CPen uncreated;
    EXPECT_EQ(dc.SelectObject(&uncreated), nullptr);
    EXPECT_EQ(dc.SelectStockObject(9), nullptr);
    EXPECT_EQ(dc.SelectObject(GetStockObject(BLACK_PEN)), &red);
}

TEST(DCObjects, TheContextDrawsWithItsOwnCopy) {
    CRecordingDC dc;
    {
        CPen temporary(PS_SOLID, 30, RGB(1, 2, 3));
        dc.SelectObject(&temporary);
    }
    dc.LineTo(10, 10);
    EXPECT_EQ(dc.Lines().back(), "LineTo 10,10 pen=solid/30/0x030201 rop=13");
}

TEST(DCState, SaveAndRestoreBringBackObjectsModesMappingAndClip) {
    CRecordingDC dc;
    CPen red(PS_SOLID, 0, RGB(255, 0, 0));
    CBrush gray(RGB(128, 128, 128));
    dc.SelectObject(&red);
    dc.SelectObject(&gray);
    dc.SetTextColor(RGB(0, 0, 255));
    dc.SetROP2(R2_XORPEN);
    SetSheetMapping(dc);
    dc.SetWindowOrg(-100, 100);
    dc.MoveTo(5, 6);
    EXPECT_EQ(dc.SaveDC(), 1);

    CPen blue(PS_SOLID, 0, RGB(0, 0, 255));
    dc.SelectObject(&blue);
    dc.SelectStockObject(NULL_BRUSH);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetROP2(R2_COPYPEN);
    dc.SetMapMode(MM_TEXT);
    dc.SetWindowOrg(0, 0);
    dc.IntersectClipRect(0, 0, 10, 10);
    dc.MoveTo(0, 0);
    EXPECT_EQ(dc.SaveDC(), 2);
    EXPECT_EQ(dc.SaveDC(), 3);

    EXPECT_TRUE(dc.RestoreDC(1));  // back past the two later saves
    EXPECT_EQ(dc.GetCurrentPen()->Log().lopnColor, RGB(255, 0, 0));
    EXPECT_EQ(dc.GetCurrentBrush()->Log().lbColor, RGB(128, 128, 128));
    EXPECT_EQ(dc.GetTextColor(), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetROP2(), R2_XORPEN);
    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
    EXPECT_TRUE(Equal(dc.GetWindowOrg(), POINT{-100, 100}));
    EXPECT_TRUE(Equal(dc.GetCurrentPosition(), POINT{5, 6}));
    RECT box;
    dc.GetClipBox(&box);
    EXPECT_TRUE(Equal(box, RECT{-100, -10317, 10317, 100}));  // the whole 1000-pixel device
    // The restored selection reports the objects selected then.
    EXPECT_EQ(dc.SelectObject(&blue), &red);
    EXPECT_FALSE(dc.RestoreDC(-1));  // nothing saved any more

    EXPECT_EQ(dc.SaveDC(), 1);
    dc.SetBkColor(RGB(1, 1, 1));
    EXPECT_FALSE(dc.RestoreDC(0));
    EXPECT_FALSE(dc.RestoreDC(2));
    EXPECT_FALSE(dc.RestoreDC(-2));
    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetBkColor(), RGB(255, 255, 255));
}

TEST(DCState, ClipRectanglesIntersectInDeviceUnits) {
    CRecordingDC dc;
    SetSheetMapping(dc);
    RECT box;
    EXPECT_EQ(dc.IntersectClipRect(0, 0, 2000, -1000), SIMPLEREGION);
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_TRUE(Equal(box, RECT{0, -1000, 2000, 0}));  // normalised
    EXPECT_EQ(dc.IntersectClipRect(1000, 500, 3000, -500), SIMPLEREGION);
    dc.GetClipBox(&box);
    EXPECT_TRUE(Equal(box, RECT{1000, -500, 2000, 0}));
    EXPECT_EQ(dc.IntersectClipRect(5000, 0, 6000, -100), NULLREGION);
    EXPECT_EQ(dc.GetClipBox(&box), NULLREGION);

    const RECT device{0, 0, 48, 48};
    EXPECT_EQ(dc.SelectClipRgn(&device), SIMPLEREGION);
    dc.GetClipBox(&box);
    EXPECT_TRUE(Equal(box, RECT{0, -500, 500, 0}));
    dc.SelectClipRgn(nullptr);
    dc.GetClipBox(&box);
    EXPECT_TRUE(Equal(box, RECT{0, -10417, 10417, 0}));
}

TEST(GdiObjects, CreationRules) {
    CPen pen;
    EXPECT_FALSE(pen.IsCreated());
    EXPECT_TRUE(pen.CreatePen(PS_DOT, -7, RGB(1, 2, 3)));
    EXPECT_EQ(pen.Log().lopnWidth.x, 7);
    LOGBRUSH solid{BS_SOLID, RGB(9, 9, 9), 0};
    CPen cosmetic(PS_COSMETIC | PS_SOLID, 25, &solid);
    EXPECT_EQ(cosmetic.Log().lopnWidth.x, 1);
    CPen geometric(PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_JOIN_MITER, 25, &solid);
    EXPECT_EQ(geometric.Log().lopnWidth.x, 25);
    EXPECT_TRUE(geometric.IsGeometric());
    EXPECT_FALSE(CPen().CreatePen(PS_SOLID, 1, static_cast<const LOGBRUSH*>(nullptr)));

    CBrush brush;
    EXPECT_FALSE(brush.CreateHatchBrush(6, 0));
    EXPECT_FALSE(brush.CreateHatchBrush(-1, 0));
    LOGBRUSH pattern{BS_PATTERN, 0, 0};
    EXPECT_FALSE(brush.CreateBrushIndirect(&pattern));
    EXPECT_FALSE(brush.IsCreated());

    LOGFONT log;
    std::memset(log.lfFaceName, 'A', LF_FACESIZE);  // no terminator, as a damaged file may hold
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&log));
    EXPECT_EQ(std::string(font.Log().lfFaceName), std::string(LF_FACESIZE - 1, 'A'));

    auto* stock = static_cast<CPen*>(GetStockObject(BLACK_PEN));
    EXPECT_FALSE(stock->CreatePen(PS_SOLID, 5, RGB(255, 0, 0)));
    EXPECT_FALSE(stock->DeleteObject());
    EXPECT_EQ(stock->Log().lopnWidth.x, 0);
    CPen copy = *stock;  // a copy is an ordinary pen
    EXPECT_TRUE(copy.DeleteObject());
    EXPECT_EQ(GetStockObject(-1), nullptr);
    EXPECT_EQ(GetStockObject(18), nullptr);
}

TEST(DCState, ExtremeValuesSaturateInsteadOfOverflowing) {
    constexpr LONG lo = -2147483647 - 1, hi = 2147483647;
    CRecordingDC dc;
    dc.OffsetViewportOrg(hi, hi);
    dc.OffsetViewportOrg(hi, lo);
    EXPECT_TRUE(Equal(dc.GetViewportOrg(), POINT{hi, -1}));
    dc.SetViewportOrg(0, 0);
    dc.PatBlt(hi, lo, hi, lo, PATCOPY);
    EXPECT_EQ(dc.Lines().back(),
              "PatBlt 2147483647,-2147483648,2147483647,-2147483648 "
              "rop=0x00F00021 brush=solid/0xFFFFFF");
    dc.FillSolidRect(lo, lo, lo, lo, 0);
    RECT huge{lo, hi, hi, lo};
    dc.DrawText("a b c", &huge, DT_WORDBREAK | DT_CENTER);
    LOGFONT log;
    log.lfHeight = lo;
    CFont font;
    font.CreateFontIndirect(&log);
    dc.SelectObject(&font);
    dc.SetTextAlign(TA_UPDATECP);
    dc.MoveTo(hi - 5, 0);
    const int dx[] = {hi, hi};
    dc.ExtTextOut(0, 0, 0, nullptr, "ab", 2, dx);
    EXPECT_EQ(dc.GetCurrentPosition().x, hi);
    EXPECT_EQ(dc.GetTextExtent("ab").cx, 1200000);  // heights stop at a million
    CPen pen(PS_SOLID, lo, RGB(0, 0, 0));
    EXPECT_EQ(pen.Log().lopnWidth.x, hi);
}

// At 30 % of 96 pixels per inch, 29 pixels show 1000 sheet units.
TEST(DCText, TextUnderFourPixelsHighIsTooSmallToReadOnAScreen) {
    CRecordingDC screen;
    screen.SetMapMode(MM_ANISOTROPIC);
    screen.SetWindowExt(1000, 1000);
    screen.SetViewportExt(29, -29);
    EXPECT_TRUE(screen.IsTextTooSmallToRead(120));   // 3.48 pixels
    EXPECT_TRUE(screen.IsTextTooSmallToRead(-120));  // a character height likewise
    EXPECT_FALSE(screen.IsTextTooSmallToRead(140));  // 4.06 pixels
    EXPECT_FALSE(screen.IsTextTooSmallToRead(0));    // the default font's 12 pixels
    SetSheetMapping(screen);                         // 100 %: 11.5 pixels
    EXPECT_FALSE(screen.IsTextTooSmallToRead(120));

    CRecordingDC::Device printer;
    printer.printing = true;
    CRecordingDC print(printer);
    print.SetMapMode(MM_ANISOTROPIC);
    print.SetWindowExt(1000, 1000);
    print.SetViewportExt(29, -29);
    EXPECT_FALSE(print.IsTextTooSmallToRead(120));
}
