// Labels with trailing numbers sort by the numbers' values.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "library/LabelCompare.h"

namespace {

TEST(LabelCompare, TrailingNumbersCompareByValue) {
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"R2", "R10", -1},
        {"C5", "R1", -1},
        {"U10", "U010", 0},
        {"9", "10", -1},
        {"A10", "AB1", -1},  // prefixes of different lengths: a plain compare
        {"R", "R0", 0},
        {"R10", "R2", 1},
        // Runs longer than any integer compare exactly.
        {"N123456789012345678901234567890", "N123456789012345678901234567891", -1},
        {"N99999999999999999999999", "N100000000000000000000000", -1},
        {"N0000000000000000000000007", "N7", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        EXPECT_EQ(CompareLabelsNumeric(c.a, c.b), c.expected);
        EXPECT_EQ(CompareLabelsNumeric(c.b, c.a), -c.expected);
    }
}

TEST(LabelCompare, StableSortToleratesTheCycle) {
    // "A9" < "A10" < "A1Z" < "A9": a stable sort must neither crash nor lose labels.
    std::vector<std::string> labels;
    for (int i = 0; i < 40; ++i) {
        labels.push_back("A9");
        labels.push_back("A10");
        labels.push_back("A1Z");
    }
    std::vector<std::string> sorted = labels;
    std::stable_sort(sorted.begin(), sorted.end(), [](const std::string& a, const std::string& b) {
        return CompareLabelsNumeric(a, b) < 0;
    });
    std::sort(labels.begin(), labels.end());
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, labels);
}

}  // namespace
