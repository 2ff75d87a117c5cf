#include "model/app/FunctionKeys.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(FunctionKeysTest, EachKeyHasItsStoredSlot) {
    struct Case {
        int n;
        bool shift;
        bool ctrl;
        int slot;
    };
    const Case cases[] = {
        {2, false, false, 0},  {10, false, false, 8}, {12, false, false, 10}, {2, true, false, 11},
        {10, true, false, 19}, {12, true, false, 21}, {1, false, true, 22},   {4, false, true, 25},
        {6, false, true, 27},  {10, false, true, 31}, {12, false, true, 33},  {1, false, false, -1},
        {1, true, false, -1},  {1, true, true, -1},   {12, true, true, -1},   {0, false, false, -1},
        {13, false, true, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FunctionKeySlot(c.n, c.shift, c.ctrl), c.slot)
            << "F" << c.n << " shift " << c.shift << " ctrl " << c.ctrl;

    // The key page lists every bindable key once, with the slot the dispatcher uses.
    const std::vector<BindableKey> keys = BindableFunctionKeys();
    ASSERT_EQ(keys.size(), 34u);
    std::set<int> slots;
    for (const BindableKey& key : keys)
        slots.insert(key.slot);
    EXPECT_EQ(slots.size(), 34u);
    EXPECT_EQ(*slots.rbegin(), 33);
    EXPECT_EQ(keys[8].name, "F10");
    EXPECT_EQ(keys[11].name, "Shift + F2");
    EXPECT_EQ(keys[11].slot, 11);
    EXPECT_EQ(keys[22].name, "Ctrl + F1");
    EXPECT_EQ(keys[22].slot, 22);
}

TEST(FunctionKeysTest, TheTableAnswersForItsKeysOnly) {
    FunctionKeyTable table;
    table.commands.fill(40000);  // stale values in every slot, the unused ones included
    table.commands[22] = 33000;
    EXPECT_EQ(table.CommandForKey(1, false, true), 33000u);
    EXPECT_EQ(table.CommandForKey(12, false, false), 40000u);
    EXPECT_EQ(table.CommandForKey(1, false, false), 0u);
    EXPECT_EQ(table.CommandForKey(3, true, true), 0u) << "slot 35 is never reached";
}

}  // namespace
