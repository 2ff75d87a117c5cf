#include "model/symbol/SpiceValue.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(SpiceValueTest, NumbersTakeTheScaleOfTheWordAfterThem) {
    struct Case {
        const char* text;
        double value;
    };
    for (const Case& c : {Case{"2.2K", 2200}, Case{"10Meg", 1e7}, Case{"5mil", 1.27e-4},
                          Case{"3M", 3e-6}, Case{"20k", 20}, Case{"1m", 1e-3}, Case{"4u7", 4e-6},
                          Case{" 5 p", 5e-12}, Case{"-2n", -2e-9}, Case{"1e3", 1000},
                          Case{"7T", 7e12}, Case{"7G", 7e9}, Case{"3f", 3e-15}, Case{"1F", 1},
                          Case{"12V", 12}, Case{"1meg", 1e-3}, Case{"1.5", 1.5}}) {
        double value = 0;
        EXPECT_TRUE(ParseSpiceValue(c.text, &value)) << c.text;
        EXPECT_NEAR(value, c.value, std::abs(c.value) * 1e-6) << c.text;
    }
    for (const char* bad : {"abc", "", "  ", "K5", "mil", "."})
        EXPECT_FALSE(ParseSpiceValue(bad, nullptr)) << bad;
    EXPECT_FALSE(ParseSpiceValue(nullptr, nullptr));
    EXPECT_TRUE(ParseSpiceValue("5V", nullptr));
}

}  // namespace
