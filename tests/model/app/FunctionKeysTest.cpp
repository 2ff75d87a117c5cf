#include "model/app/FunctionKeys.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(FunctionKeysTest, EveryBindableKeyHasItsOwnSlot) {
    std::set<int> used;
    int bindable = 0;
    for (int n = 0; n <= 13; ++n) {
        for (int modifiers = 0; modifiers < 4; ++modifiers) {
            const int slot = FunctionKeySlot(n, modifiers & 1, modifiers & 2);
            if (slot < 0)
                continue;
            ++bindable;
            EXPECT_TRUE(slot < kFunctionKeySlots && used.insert(slot).second)
                << "F" << n << " modifiers " << modifiers << " slot " << slot;
        }
    }
    EXPECT_EQ(bindable, 29);
    EXPECT_EQ(used.count(22) + used.count(35), 0u);

    // The key page lists exactly these keys, with the slots the dispatcher uses.
    const std::vector<BindableKey> keys = BindableFunctionKeys();
    ASSERT_EQ(keys.size(), 29u);
    EXPECT_EQ(keys[8].name, "F11");  // F10 is left out
    EXPECT_EQ(keys[10].name, "Shift + F2");
    EXPECT_EQ(keys[10].slot, 11);
    EXPECT_EQ(keys[20].name, "Ctrl + F1");
    EXPECT_EQ(keys[20].slot, 23);
    EXPECT_EQ(keys[28].name, "Ctrl + F12");
    EXPECT_EQ(keys[28].slot, 34);
}

TEST(FunctionKeysTest, ReservedKeysNeverReachTheTable) {
    FunctionKeyTable table;
    table.commands.fill(40000);  // stale values in every slot, the unused ones included
    table.commands[23] = 33000;
    EXPECT_EQ(table.CommandForKey(1, false, true), 33000u);
    EXPECT_EQ(table.CommandForKey(12, false, false), 40000u);
    const int reserved[][3] = {{1, 0, 0}, {1, 1, 0},  {10, 0, 0}, {10, 1, 0}, {4, 0, 1},
                               {6, 0, 1}, {10, 0, 1}, {12, 1, 1}, {3, 1, 1},  {0, 0, 0}};
    for (const auto& key : reserved)
        EXPECT_EQ(table.CommandForKey(key[0], key[1], key[2]), 0u)
            << "F" << key[0] << " shift " << key[1] << " ctrl " << key[2];
}

}  // namespace
