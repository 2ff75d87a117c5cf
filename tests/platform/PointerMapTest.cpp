#include "platform/PointerMap.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PointerMapTest, SetsGetsAndRemovesByAddress) {
    int a = 0;
    int b = 0;
    int value = 0;
    PointerMap map(2);
    map.Set(&a, &value);
    map.Set(&a, &b);
    EXPECT_EQ(map.Get(&a), &b);
    EXPECT_EQ(map.Get(&b), nullptr);
    EXPECT_EQ(map.GetCount(), 1u);
    map.Remove(&b);
    EXPECT_EQ(map.GetCount(), 1u);
    map.Remove(&a);
    EXPECT_EQ(map.Get(&a), nullptr);
    EXPECT_EQ(map.GetCount(), 0u);
    map.Set(nullptr, &value);
    EXPECT_EQ(map.Get(nullptr), nullptr);
    EXPECT_EQ(map.GetCount(), 0u);
}

// Many neighbouring addresses, far more than expected: the table grows; taking out every third
// entry leaves each of the others with its own value, and the taken ones with none.
TEST(PointerMapTest, RemovingEntriesKeepsEveryOtherOneFound) {
    std::vector<double> cells(30000);
    PointerMap map(10);
    for (double& cell : cells)
        map.Set(&cell, &cell + 1);
    for (size_t i = 0; i < cells.size(); i += 3)
        map.Remove(&cells[i]);
    EXPECT_EQ(map.GetCount(), cells.size() - (cells.size() + 2) / 3);
    for (size_t i = 0; i < cells.size(); ++i)
        EXPECT_EQ(map.Get(&cells[i]), i % 3 == 0 ? nullptr : &cells[i] + 1) << i;
}

}  // namespace
