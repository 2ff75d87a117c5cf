#include "shell/view/PrintLayout.h"

#include <gtest/gtest.h>

#include <limits>

#include "model/doc/PrintSettings.h"

namespace {

constexpr SIZE kPaper{11693, -8268};
constexpr RECT kMargins{300, 300, 300, 300};
// US Letter landscape at 300 dpi, without an unprintable border (as a PDF printer).
constexpr PrinterMetrics kLetter{3300, 2550, 3300, 2550, 0, 0, 300, 300};

CPrintSettings Settings(DWORD flags, float scale = 1.0f) {
    CPrintSettings settings;
    settings.m_flags = flags;
    settings.m_scale = scale;
    return settings;
}

}  // namespace

TEST(PrintLayout, ScalesAndTilesByTheSizeMode) {
    struct Case {
        DWORD flags;
        float scale;
        int across;
        int down;
    };
    const Case cases[] = {{20, 0.9375f, 1, 1},
                          {16, 1.0f, 2, 1},
                          {24, 2370.0f / 2300.0f, 2, 1},
                          {28, 6345.0f / 3328.0f, 2, 2}};
    for (const Case& c : cases) {
        const auto layout = ComputePrintLayout(kPaper, kMargins, Settings(c.flags), kLetter);
        ASSERT_TRUE(layout) << c.flags;
        EXPECT_NEAR(layout->scale, c.scale, 1e-5) << c.flags;
        EXPECT_EQ(layout->across, c.across) << c.flags;
        EXPECT_EQ(layout->down, c.down) << c.flags;
        EXPECT_EQ(layout->tileW, 3300 - 75);
        EXPECT_EQ(layout->tileH, 2550 - 75);
    }
}

TEST(PrintLayout, OnePageIsCentredAndTilesStepByThePrintableSizeLessTheOverlap) {
    const auto fit = ComputePrintLayout(kPaper, kMargins, Settings(20), kLetter);
    ASSERT_TRUE(fit);
    EXPECT_EQ(CSize(fit->viewportExt), CSize(3117, 2155));
    EXPECT_EQ(CSize(fit->windowExt), CSize(11093, -7668));
    // The paper (from -300 to 11393) sits in the middle of the page's 11744 units.
    EXPECT_EQ(CPoint(fit->origin), CPoint(-325, 703));

    const auto four = ComputePrintLayout(kPaper, kMargins, Settings(28), kLetter);
    ASSERT_TRUE(four);
    EXPECT_EQ(CPoint(four->PageViewportOrg(4)), CPoint(-3225, -2475));
    EXPECT_EQ(CPoint(four->PageViewportOrg(2)), CPoint(-3225, 0));
}

TEST(PrintLayout, RefusesWhatCannotBePrintedInsteadOfDividingByZero) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(ComputePrintLayout(kPaper, kMargins, Settings(16, nan), kLetter));
    // A stored scale of 0 prints at the smallest scale the page offers.
    const auto zero = ComputePrintLayout(kPaper, kMargins, Settings(16, 0.0f), kLetter);
    ASSERT_TRUE(zero);
    EXPECT_FLOAT_EQ(zero->scale, 0.3f);
    // A printable area no wider than the overlap, and a paper no larger than its margins.
    const PrinterMetrics tiny{75, 75, 75, 75, 0, 0, 300, 300};
    EXPECT_FALSE(ComputePrintLayout(kPaper, kMargins, Settings(20), tiny));
    EXPECT_FALSE(ComputePrintLayout(SIZE{600, -600}, kMargins, Settings(20), kLetter));
}
