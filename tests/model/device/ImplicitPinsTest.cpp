// The one reading of a device's hidden-pin list, whichever separators it was stored with.

#include "model/device/ImplicitPins.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Texts(std::string_view list) {
    std::vector<std::string> texts;
    for (const ImplicitToken& token : SplitImplicitList(list))
        texts.emplace_back(token.text);
    return texts;
}

using Pins = std::vector<ImplicitPin>;

TEST(ImplicitPins, BlanksTheByte01AndCommasPartTheItems) {
    const Pins gate{{"VCC", "14"}, {"GND", "7"}};
    EXPECT_EQ(ParseImplicitPins("VCC 14 GND 7"), gate);  // as the standard library stores it
    EXPECT_EQ(ParseImplicitPins("VCC\x01"
                                "14\x01GND\x01"
                                "7"),
              gate);  // as the device dialogs store it
    EXPECT_EQ(ParseImplicitPins("VCC 14, GND,7"), gate);
    EXPECT_EQ(ParseImplicitPins("  VCC\t14  GND \x01 7 "), gate);
    EXPECT_EQ(ParseImplicitPins(""), Pins{});
    EXPECT_EQ(ParseImplicitPins("VCC"), (Pins{{"VCC", ""}}));
}

TEST(ImplicitPins, AParenthesisedNumberListIsOneItem) {
    EXPECT_EQ(Texts("VCC (5,6) GND\x01(7, 8)"),
              (std::vector<std::string>{"VCC", "(5,6)", "GND", "(7, 8)"}));
    const std::vector<ImplicitToken> tokens = SplitImplicitList("VDD VSS,VEE\x01OSC");
    ASSERT_EQ(tokens.size(), 4u);
    EXPECT_EQ(tokens[2].text, "VEE");
    EXPECT_EQ(tokens[2].position, 8u);
}

TEST(ImplicitPins, TheSamePinsInAnotherFormAreTheSameList) {
    EXPECT_TRUE(SameImplicitPins("VCC 14 GND 7",
                                 "VCC\x01"
                                 "14\x01GND\x01"
                                 "7"));
    EXPECT_TRUE(SameImplicitPins("GND 7 VCC 14", "VCC 14 GND 7"));
    EXPECT_TRUE(SameImplicitPins("", ""));
    EXPECT_FALSE(SameImplicitPins("VCC 14 GND 7", "VCC 16 GND 8"));
    EXPECT_FALSE(SameImplicitPins("VCC 14 GND 7", "VCC 14"));
}

}  // namespace
