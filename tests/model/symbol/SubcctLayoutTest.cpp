// The sub-circuit wizard's symbol geometry: pin order, body and pin places, port outlines.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "model/symbol/SubcctLayout.h"

namespace {

TEST(SubcctLayoutTest, PinsAreOrderedByPrefixThenNumber) {
    std::vector<std::string> names{"B", "A10", "A2"};
    std::sort(names.begin(), names.end(), SignalNameLess);
    EXPECT_EQ(names, (std::vector<std::string>{"A2", "A10", "B"}));
    // Long digit runs compare as numbers without overflowing; leading zeros do not count.
    EXPECT_TRUE(SignalNameLess("D99999999999999999999", "D100000000000000000000"));
    EXPECT_FALSE(SignalNameLess("D100000000000000000000", "D99999999999999999999"));
    EXPECT_TRUE(SignalNameLess("D007", "D10"));
    // Prefixes of different lengths compare the whole names.
    EXPECT_TRUE(SignalNameLess("CLK", "D1"));
    EXPECT_TRUE(SignalNameLess("AB1", "B"));
}

TEST(SubcctLayoutTest, SignalWordsKeepDirectionAndSide) {
    const DWORD word = WithSide(kSubcctBidirectional | kSubcctMark, kSubcctDown);
    EXPECT_EQ(SignalDirection(word), kSubcctBidirectional);
    EXPECT_EQ(SignalSide(word), kSubcctDown);
    EXPECT_EQ(SignalSide(kSubcctOut), -1);
    EXPECT_EQ(DefaultSide(kSubcctInto), kSubcctLeft);
    EXPECT_EQ(DefaultSide(kSubcctOut), kSubcctRight);
    EXPECT_EQ(DefaultSide(kSubcctBidirectional), kSubcctRight);
    EXPECT_EQ(DefaultSide(kSubcctOther), kSubcctUp);
}

TEST(SubcctLayoutTest, OneLeftPin) {
    const SubcctLayout layout = LayOutSubcct({kSubcctLeft});
    EXPECT_EQ(layout.body, CRect(200, -200, 800, -600));
    ASSERT_EQ(layout.pins.size(), 1u);
    EXPECT_EQ(layout.pins[0].bodyEnd, CPoint(200, -400));
    EXPECT_EQ(layout.pins[0].hotEnd, CPoint(100, -400));
}

TEST(SubcctLayoutTest, LeftAndRightPins) {
    const SubcctLayout layout = LayOutSubcct({kSubcctLeft, kSubcctRight});
    EXPECT_EQ(layout.body.right, 1100);
    ASSERT_EQ(layout.pins.size(), 2u);
    EXPECT_EQ(layout.pins[1].bodyEnd, CPoint(1100, -400));
    EXPECT_EQ(layout.pins[1].hotEnd, CPoint(1200, -400));
}

TEST(SubcctLayoutTest, PinsOnAllSidesMakeRoomForEachOther) {
    // nL 1, nR 0, nU 2, nD 1: width 100 x 2 + 300 + 300 = 800; height -(100 + 300) - 600.
    const SubcctLayout layout = LayOutSubcct({kSubcctUp, kSubcctLeft, kSubcctUp, kSubcctDown});
    EXPECT_EQ(layout.body, CRect(200, -200, 1000, -1200));
    ASSERT_EQ(layout.pins.size(), 4u);
    EXPECT_EQ(layout.pins[0].bodyEnd, CPoint(700, -200));  // 300 + 300 + 100
    EXPECT_EQ(layout.pins[0].hotEnd, CPoint(700, -100));
    EXPECT_EQ(layout.pins[1].bodyEnd, CPoint(200, -700));  // -300 - 300 - 100
    EXPECT_EQ(layout.pins[2].bodyEnd, CPoint(800, -200));
    EXPECT_EQ(layout.pins[3].bodyEnd, CPoint(700, -1200));
    EXPECT_EQ(layout.pins[3].hotEnd, CPoint(700, -1300));
}

TEST(SubcctLayoutTest, PortOutlinesByDirection) {
    const CPoint at(200, -400);
    EXPECT_EQ(
        PortOutline(kSubcctInto, at),
        (std::vector<CPoint>{{200, -440}, {200, -360}, {560, -360}, {600, -400}, {560, -440}}));
    EXPECT_EQ(
        PortOutline(kSubcctOut, at),
        (std::vector<CPoint>{{240, -440}, {200, -400}, {240, -360}, {600, -360}, {600, -440}}));
    EXPECT_EQ(PortOutline(kSubcctBidirectional, at).size(), 6u);
    EXPECT_EQ(PortOutline(kSubcctOther, at),
              (std::vector<CPoint>{{200, -440}, {200, -360}, {600, -360}, {600, -440}}));
    EXPECT_EQ(PortOutlineAngle(kSubcctLeft), 0);
    EXPECT_EQ(PortOutlineAngle(kSubcctRight), 1800);
    EXPECT_EQ(PortOutlineAngle(kSubcctUp), 2700);
    EXPECT_EQ(PortOutlineAngle(kSubcctDown), 900);
}

}  // namespace
