#include "platform/PointerSet.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PointerSetTest, HoldsEachAddressOnce) {
    int a = 0;
    int b = 0;
    PointerSet set(2);
    EXPECT_TRUE(set.Insert(&a));
    EXPECT_FALSE(set.Insert(&a));
    EXPECT_TRUE(set.Contains(&a));
    EXPECT_FALSE(set.Contains(&b));
    EXPECT_EQ(set.GetCount(), 1u);
}

TEST(PointerSetTest, NullIsNeverAMember) {
    PointerSet set;
    EXPECT_FALSE(set.Insert(nullptr));
    EXPECT_FALSE(set.Contains(nullptr));
    EXPECT_EQ(set.GetCount(), 0u);
}

// Far more members than expected, at neighbouring addresses that share their low bits' pattern:
// the table grows and keeps every one, and finds none of the neighbours left out.
TEST(PointerSetTest, GrowsPastTheExpectedCountAndKeepsEveryMember) {
    std::vector<double> cells(20000);
    PointerSet set(10);
    for (size_t i = 0; i < cells.size(); i += 2)
        EXPECT_TRUE(set.Insert(&cells[i]));
    EXPECT_EQ(set.GetCount(), cells.size() / 2);
    for (size_t i = 0; i < cells.size(); ++i)
        EXPECT_EQ(set.Contains(&cells[i]), i % 2 == 0) << i;
}

}  // namespace
