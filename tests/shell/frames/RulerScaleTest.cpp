#include "shell/frames/RulerScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::vector<std::string> Labels(const RulerScale& scale) {
    std::vector<std::string> labels;
    for (const RulerMark& mark : scale.majors)
        labels.push_back(mark.label);
    return labels;
}

}  // namespace

TEST(RulerScale, ASheetGetsInchStepsInTenthsOrCentimetresInTwos) {
    // 11693 units over 1000 pixels: 1.1693 inches per 100 pixels.
    const RulerScale scale = ComputeRulerScale(0, 11693, 1000, 11693, false);
    EXPECT_EQ(scale.step, 1.0);
    EXPECT_EQ(scale.subdivisions, 10);
    EXPECT_EQ(Labels(scale), (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "8",
                                                       "9", "10", "11"}));
    EXPECT_EQ(scale.majors[0].pixel, 0);
    EXPECT_EQ(scale.majors[1].pixel, 86);  // 1000 * 1000 / 11693
    EXPECT_EQ(scale.majors[11].pixel, 941);
    EXPECT_EQ(scale.minors.front(), 9);
    EXPECT_EQ(scale.sheetStart, 0);
    EXPECT_EQ(scale.sheetEnd, 1000);

    // The same sheet in centimetres counts in twos.
    const RulerScale metric = ComputeRulerScale(0, 11693, 1000, 11693, true);
    EXPECT_EQ(metric.step, 2.0);
    EXPECT_EQ(metric.subdivisions, 5);
    const auto labels = Labels(metric);
    ASSERT_EQ(labels.size(), 15u);
    EXPECT_EQ(labels[1], "2");
    EXPECT_EQ(labels.back(), "28");
}

TEST(RulerScale, FollowsScrollAndZoomWithLocaleFreeLabels) {
    // Scrolled so that the ruler starts 2.5 inches into the sheet, zoomed in 4 times.
    const RulerScale scale = ComputeRulerScale(2500, 11693 / 4.0, 1000, 11693, false);
    EXPECT_DOUBLE_EQ(scale.step, 0.2);
    EXPECT_EQ(scale.subdivisions, 5);
    const auto labels = Labels(scale);
    ASSERT_EQ(labels.size(), 15u);
    EXPECT_EQ(labels.front(), "2.6");
    EXPECT_EQ(scale.majors.front().pixel, 34);
    EXPECT_EQ(labels.back(), "5.4");
    EXPECT_EQ(scale.sheetStart, -855);
    // Minor ticks run before the first label as well.
    EXPECT_EQ(scale.minors.front(), 7);
    // Labels are locale-free and never "-0".
    const auto near = Labels(ComputeRulerScale(-50, 1000, 1000, 11693, false));
    ASSERT_GE(near.size(), 2u);
    EXPECT_EQ(near[0], "0");
    EXPECT_EQ(near[1], "0.1");
}

TEST(RulerScale, DegenerateSizesDrawNothingAndReturn) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(ComputeRulerScale(0, 11693, 0, 11693, false).majors.empty());
    EXPECT_TRUE(ComputeRulerScale(0, 0, 1000, 11693, false).majors.empty());
    EXPECT_TRUE(ComputeRulerScale(0, -5, 1000, 11693, false).majors.empty());
    EXPECT_TRUE(ComputeRulerScale(nan, 11693, 1000, 11693, false).majors.empty());
    EXPECT_TRUE(ComputeRulerScale(0, inf, 1000, 11693, false).majors.empty());
    EXPECT_TRUE(ComputeRulerScale(0, 1e-300, 1000, 11693, false).majors.size() < 1000);
    // A huge start is not a reason to loop for ever.
    const RulerScale far = ComputeRulerScale(1e300, 11693, 1000, 11693, false);
    EXPECT_LE(far.majors.size() + far.minors.size(), 1000u);
}
