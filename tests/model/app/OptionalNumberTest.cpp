#include "model/app/OptionalNumber.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

TEST(OptionalNumberTest, EmptyBoxesMeanNoValueAndTextThatIsNoNumberIsRefused) {
    EXPECT_EQ(FormatOptionalNumber(1234567.0, TRUE), "1.23457e+06");
    EXPECT_EQ(FormatOptionalNumber(0.1f, TRUE), "0.1");
    EXPECT_EQ(FormatOptionalNumber(2.5, FALSE), "");

    float value = 3.0f;
    BOOL valid = TRUE;
    EXPECT_TRUE(ParseOptionalNumber(" \t", value, valid));
    EXPECT_EQ(value, 3.0f);
    EXPECT_FALSE(valid);
    EXPECT_TRUE(ParseOptionalNumber("  -1.5e3kHz", value, valid));
    EXPECT_EQ(value, -1500.0f);
    EXPECT_TRUE(valid);
    EXPECT_FALSE(ParseOptionalNumber("1e39", value, valid));  // beyond a float
    EXPECT_EQ(value, -1500.0f);

    for (const char* text : {"abc", ".", "-", "nan", "inf", "1e999"}) {
        double number = 4.0;
        valid = TRUE;
        EXPECT_FALSE(ParseOptionalNumber(text, number, valid)) << text;
        EXPECT_EQ(number, 4.0);
        EXPECT_TRUE(valid);
    }
}

TEST(OptionalNumberTest, IgnoresTheProcessLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "no decimal-comma locale installed";
    double value = 0.0;
    BOOL valid = FALSE;
    const bool read = ParseOptionalNumber("1.25", value, valid);
    const CString text = FormatOptionalNumber(value, valid);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_TRUE(read);
    EXPECT_EQ(value, 1.25);
    EXPECT_EQ(text, "1.25");
}

}  // namespace
