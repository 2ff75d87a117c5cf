// Reals of DXF groups against the standard library's own "%.6g" rounding of the exact value:
// drawing coordinates, values spread over every magnitude, and values at the edges of rounding.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "interchange/dxf/DxfReal.h"

namespace {

std::string Formatted(double value) {
    char text[kDxfRealRoom];
    return std::string(text, FormatDxfReal(text, value));
}

std::string Expected(double value) {
    char text[32];
    return std::string(
        text, std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6).ptr);
}

void ExpectAllAsPrintf(const std::vector<double>& values) {
    int wrong = 0;
    for (double value : values) {
        if (Formatted(value) != Expected(value) && ++wrong <= 10)
            ADD_FAILURE() << "value " << Expected(value) << " (" << std::hexfloat << value
                          << ") written " << Formatted(value);
    }
    EXPECT_EQ(wrong, 0);
}

TEST(DxfReal, SheetCoordinatesInInchesAndTheirFractions) {
    std::vector<double> values;
    for (int units = -150000; units <= 150000; ++units) {
        values.push_back(units * 0.001);
        values.push_back(units / 72.0);
        values.push_back(units / 1500.0);
    }
    ExpectAllAsPrintf(values);
}

TEST(DxfReal, ValuesOfEveryMagnitude) {
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> exponent(-9.0, 9.0);
    std::vector<double> values;
    for (int i = 0; i < 200000; ++i) {
        const double value = std::pow(10.0, exponent(random));
        values.push_back(i % 2 ? value : -value);
    }
    ExpectAllAsPrintf(values);
}

// Decimal halves lie a hair off in binary and round by that hair; a rounding up to the next
// power of ten moves the point; the short way's own bounds are met from both sides.
TEST(DxfReal, ValuesAtTheEdgesOfRounding) {
    std::vector<double> values = {0.0,           -0.0,     1.0,       -1.0,      0.5,
                                  2.5,           100000.5, 99999.95,  9.999995,  0.000099999996,
                                  0.00099999951, 999999.5, 1234565.0, 0.1234565, 0.01234565,
                                  6.2831853072,  123456.7, 99999.99,  0.0001,    100000.0,
                                  std::nan(""),  INFINITY, -INFINITY};
    for (int exponent = -8; exponent <= 8; ++exponent) {
        const double power = std::pow(10.0, exponent);
        for (double near : {power, std::nextafter(power, 0.0), std::nextafter(power, 1e300)}) {
            values.push_back(near);
            values.push_back(-near);
        }
    }
    for (int digits = 100000; digits < 1000000; digits += 7) {
        const double tie = digits + 0.5;
        for (int shift = -9; shift <= 4; ++shift)
            values.push_back(tie * std::pow(10.0, shift));
    }
    ExpectAllAsPrintf(values);
}

}  // namespace
