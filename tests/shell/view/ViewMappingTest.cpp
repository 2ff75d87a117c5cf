#include "shell/view/ViewMapping.h"

#include <gtest/gtest.h>

namespace {

constexpr SIZE kPaper{11693, -8268};
constexpr RECT kMargins{300, 300, 300, 300};

ViewMapping DefaultView(SIZE client = {800, 600}, SIZE paper = kPaper) {
    ViewMapping view(96, 96);
    view.SetClientSize(client);
    view.SetScrollSizes(paper, kMargins);
    return view;
}

}  // namespace

TEST(ViewMapping, DefaultPaperAt96DpiHasTheSheetSizesAndOrigin) {
    const ViewMapping view = DefaultView();
    EXPECT_EQ(view.LogicalSize(), (SIZE{11893, -8468}));
    EXPECT_EQ(view.UnzoomedDeviceSize(), (SIZE{1142, 813}));
    EXPECT_EQ(view.WindowOrigin(), (POINT{-400, 400}));
    EXPECT_EQ(CPoint(view.ScreenMapping().WindowOrg()), (POINT{-400, 400}));
    EXPECT_FLOAT_EQ(view.ZoomFactor(), 1.0f);
}

TEST(ViewMapping, StepsAreLimitedToTheZoomRange) {
    struct Case {
        float start;
        bool in;
        float expected;
    };
    const Case cases[] = {{9.0f, true, 10.0f},
                          {8.0f, true, 10.0f},
                          {0.35f, false, 0.3f},
                          {1.0f, true, 1.25f},
                          {1.0f, false, 0.8f}};
    for (const Case& c : cases) {
        ViewMapping view = DefaultView();
        view.SetZoomFactor(c.start);
        c.in ? view.ZoomIn(kZoomStep) : view.ZoomOut(kZoomStep);
        EXPECT_FLOAT_EQ(view.ZoomFactor(), c.expected) << c.start;
    }
}

TEST(ViewMapping, PercentOutsideTheRangeChangesNothing) {
    for (float z : {0.25f, 12.0f, 0.0f, -5.0f}) {
        ViewMapping view = DefaultView();
        view.SetZoomPercent(z);
        EXPECT_FLOAT_EQ(view.ZoomFactor(), 1.0f) << z;
    }
    ViewMapping view = DefaultView();
    view.SetZoomPercent(1.5f);
    EXPECT_FLOAT_EQ(view.ZoomFactor(), 1.5f);
}

TEST(ViewMapping, AFactorTooBigForTheDeviceIsReducedToFit) {
    // 46800 + 200 units at 96 dpi: 4512 pixels wide.
    ViewMapping view = DefaultView({800, 600}, SIZE{46800, -33000});
    view.SetZoomFactor(10.0f);
    EXPECT_FLOAT_EQ(view.ZoomFactor(), 32767.0f / 4512.0f);
    EXPECT_LE(view.TotalDeviceSize().cx, kMaxDeviceExtent);
}

TEST(ViewMapping, ASheetSmallerThanTheWindowIsCentred) {
    const ViewMapping view = DefaultView({1600, 1000});
    EXPECT_EQ(view.ScrollRange(), (SIZE{0, 0}));
    EXPECT_EQ(CPoint(view.ScreenMapping().ViewportOrg()),
              (POINT{(1600 - 1142) / 2, (1000 - 813) / 2}));
}

TEST(ViewMapping, ZoomingKeepsItsFixedPointUnderItsPixel) {
    ViewMapping view = DefaultView();
    view.SetZoomFactor(2.0f);
    view.CenterOnPoint(POINT{5000, -4000});
    const POINT centreSheet = view.ToLogical(POINT{400, 300});
    view.ZoomIn(kZoomStep);
    const POINT after = view.ToDevice(centreSheet);
    EXPECT_NEAR(after.x, 400, 1);
    EXPECT_NEAR(after.y, 300, 1);

    const POINT sheet{3000, -2000};
    const POINT pixel = view.ToDevice(sheet);
    view.ZoomOutAt(sheet, kZoomStep);
    EXPECT_FLOAT_EQ(view.ZoomFactor(), 2.0f);
    const POINT back = view.ToDevice(sheet);
    EXPECT_NEAR(back.x, pixel.x, 1);
    EXPECT_NEAR(back.y, pixel.y, 1);
}

TEST(ViewMapping, CtrlWheelZoomsAboutTheCursorOutForAPositiveDelta) {
    struct Case {
        int delta;
        bool reversed;
        float expected;
    };
    const Case cases[] = {{120, false, 2.0f / 1.25f},
                          {-120, false, 2.0f * 1.25f},
                          {120, true, 2.0f * 1.25f},
                          {0, false, 2.0f}};
    for (const Case& c : cases) {
        ViewMapping view = DefaultView();
        view.SetZoomFactor(2.0f);
        view.CenterOnPoint(POINT{5800, -4100});
        const POINT pixel{250, 180};
        const POINT sheet = view.ToLogical(pixel);
        view.WheelZoom(c.delta, pixel, c.reversed);
        EXPECT_FLOAT_EQ(view.ZoomFactor(), c.expected) << c.delta;
        const POINT after = view.ToDevice(sheet);
        EXPECT_NEAR(after.x, pixel.x, 1) << c.delta;
        EXPECT_NEAR(after.y, pixel.y, 1) << c.delta;
    }
}

TEST(ViewMapping, ZoomToRectFitsTheRectangleWithinItsBounds) {
    // The whole paper in an 800 x 600 window: 800 / 1123 pixels is the smaller ratio.
    ViewMapping view = DefaultView();
    view.ZoomToRect(CRect(0, 0, 11693, -8268));
    EXPECT_NEAR(view.ZoomFactor(), 800.0 / 1123.0, 1e-3);
    // A tiny rectangle stops at the upper bound given; a huge one at the lowest zoom.
    view.ZoomToRect(CRect(100, -100, 110, -110), 2.0f);
    EXPECT_FLOAT_EQ(view.ZoomFactor(), 2.0f);
    view.SetZoomFactor(5.0f);
    view.ZoomToRect(CRect(-100000, 100000, 100000, -100000), 5.0f);
    EXPECT_FLOAT_EQ(view.ZoomFactor(), kMinZoom);
    // The rectangle's centre is at the window centre.
    view.SetZoomFactor(1.0f);
    view.ZoomToRect(CRect(2000, -2000, 4000, -3000));
    const POINT centre = view.ToDevice(POINT{3000, -2500});
    EXPECT_NEAR(centre.x, 400, 1);
    EXPECT_NEAR(centre.y, 300, 1);
}
