#include "model/app/OptionalNumber.h"

#include <gtest/gtest.h>

namespace {

TEST(OptionalNumberTest, EmptyBoxesMeanNoValueAndTextThatIsNoNumberIsRefused) {
    EXPECT_EQ(FormatOptionalNumber(1234567.0, TRUE), "1.23457e+06");
    EXPECT_EQ(FormatOptionalNumber(0.1f, TRUE), "0.1");

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

}  // namespace
