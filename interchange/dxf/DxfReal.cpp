#include "interchange/dxf/DxfReal.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace {

constexpr int kDigits = 6;
// Magnitudes from 10^kLeastExponent to below 10^(kMostExponent + 1) take the short way: after
// rounding they are still written without an exponent.
constexpr int kLeastExponent = -4;
constexpr int kMostExponent = 4;
// Exact powers of ten, enough to scale the least magnitude to six digits.
constexpr double kPowers[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
static_assert(std::size(kPowers) == kDigits - kLeastExponent);
constexpr double kLeast = 1 / kPowers[-kLeastExponent];
constexpr double kBound = kPowers[kMostExponent + 1];
constexpr double kSixDigitsLow = kPowers[kDigits - 1];
constexpr double kSixDigitsHigh = kPowers[kDigits];
// The scaled value carries an error below 1e-10; a fraction closer than this to one half may
// round either way and is left to std::to_chars.
constexpr double kTieMargin = 1e-9;

char* ExactFormat(char* first, double value) {
    return std::to_chars(first, first + kDxfRealRoom, value, std::chars_format::general, kDigits)
        .ptr;
}

// The decimal exponent of magnitude, which lies within 10^-4 .. 10^5; scaled gets magnitude
// scaled to six digits before the point.
int ScaleToSixDigits(double magnitude, double& scaled) {
    int exponent = kMostExponent;
    scaled = magnitude * kPowers[kDigits - 1 - exponent];
    while (scaled < kSixDigitsLow && exponent > kLeastExponent) {
        --exponent;
        scaled = magnitude * kPowers[kDigits - 1 - exponent];
    }
    return exponent;
}

// The six digits of value, most significant first, without trailing zeros; how many are left.
int SignificantDigits(std::uint32_t value, char (&digits)[kDigits]) {
    for (int i = kDigits; i-- > 0; value /= 10)
        digits[i] = static_cast<char>('0' + value % 10);
    int count = kDigits;
    while (count > 1 && digits[count - 1] == '0')
        --count;
    return count;
}

// Six significant digits with the point where exponent puts it, as "%g" writes them.
char* WriteFixed(char* out, std::uint32_t sixDigits, int exponent) {
    char digits[kDigits];
    const int count = SignificantDigits(sixDigits, digits);
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        for (int i = -1; i > exponent; --i)
            *out++ = '0';
        for (int i = 0; i < count; ++i)
            *out++ = digits[i];
        return out;
    }
    for (int i = 0; i <= exponent; ++i)
        *out++ = digits[i];
    if (count > exponent + 1) {
        *out++ = '.';
        for (int i = exponent + 1; i < count; ++i)
            *out++ = digits[i];
    }
    return out;
}

}  // namespace

char* FormatDxfReal(char* first, double value) {
    const double magnitude = std::fabs(value);
    if (!(magnitude >= kLeast && magnitude < kBound))
        return ExactFormat(first, value);
    double scaled = 0;
    int exponent = ScaleToSixDigits(magnitude, scaled);
    if (scaled < kSixDigitsLow || scaled >= kSixDigitsHigh)
        return ExactFormat(first, value);
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < kTieMargin)
        return ExactFormat(first, value);
    auto sixDigits = static_cast<std::uint32_t>(whole) + (fraction > 0.5 ? 1 : 0);
    if (sixDigits == static_cast<std::uint32_t>(kSixDigitsHigh)) {
        sixDigits /= 10;
        ++exponent;
    }
    if (value < 0)
        *first++ = '-';
    return WriteFixed(first, sixDigits, exponent);
}
