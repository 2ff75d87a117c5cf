// Number formatting and parsing must ignore the process locale. These tests run under a
// decimal-comma locale and first check that the C library really uses it.

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/CString.h"

namespace {

class NumberText : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
            << "The de_DE.UTF-8 locale is not installed; ./vosk.sh test generates it "
               "(or run: locale-gen de_DE.UTF-8).";
        char probe[16];
        std::snprintf(probe, sizeof probe, "%.1f", 0.5);
        ASSERT_STREQ(probe, "0,5") << "the C library ignores the German locale";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

}  // namespace

TEST_F(NumberText, FormatUsesThePointAndLeavesTheLocaleInPlace) {
    CString s;
    s.Format("%f", 0.1);
    EXPECT_EQ(s, "0.100000");
    s.Format("%g", 0.1);
    EXPECT_EQ(s, "0.1");
    s.Format("%g %s", 1234567.0, "x");
    EXPECT_EQ(s, "1.23457e+06 x");
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
}

TEST_F(NumberText, ParsingUsesThePoint) {
    EXPECT_EQ(StringToDouble("0.1"), 0.1);
    EXPECT_EQ(StringToDouble("1,5"), 1.0);
    EXPECT_EQ(StringToDouble("  -2.5e3V"), -2500.0);
    EXPECT_EQ(StringToDouble("abc"), 0.0);
    EXPECT_EQ(StringToDouble(nullptr), 0.0);

    double value = -1.0;
    int consumed = -1;
    EXPECT_TRUE(ParseDouble(" +3.25mm", value, &consumed));
    EXPECT_EQ(value, 3.25);
    EXPECT_EQ(consumed, 6);
    EXPECT_FALSE(ParseDouble("abc", value, &consumed));
    EXPECT_EQ(value, 0.0);
    EXPECT_EQ(consumed, 0);
    EXPECT_FALSE(ParseDouble("", value));
}
