#include "platform/FrameworkOrderMap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Keys = std::vector<std::string>;

Keys Order(FrameworkOrderMap<int>& map) {
    Keys keys;
    for (const auto& entry : map.InOrder())
        keys.push_back(entry.key.str());
    return keys;
}

TEST(FrameworkOrderMapTest, ListsLikeTheFrameworkMapGivenTheSameChanges) {
    FrameworkOrderMap<int> map;
    for (const char* key : {"D0", "D1", "D2", "D3", "VCC", "OUT", "GND"})
        map.SetAt(key, 1);
    map.SetAt("GND", 2);  // keeps its place
    EXPECT_EQ(Order(map), (Keys{"D3", "VCC", "GND", "OUT", "D0", "D1", "D2"}));
    EXPECT_EQ(*map.Find("GND"), 2);
    EXPECT_EQ(map.Find("gnd"), nullptr);

    CMapStringToPtr framework;
    for (int i = 0; i < 3000; ++i) {
        const CString key("N" + std::to_string(i * 7919 % 1000));
        if (i % 5 == 4) {
            EXPECT_EQ(map.RemoveKey(key), framework.RemoveKey(key));
        } else {
            map.SetAt(key, i);
            framework.SetAt(key, nullptr);
        }
    }
    Keys expected;
    CString key;
    void* value = nullptr;
    for (POSITION pos = framework.GetStartPosition(); pos;) {
        framework.GetNextAssoc(pos, key, value);
        expected.push_back(key.str());
    }
    for (const char* first : {"D0", "D1", "D2", "D3", "VCC", "OUT", "GND"})
        map.RemoveKey(first);
    EXPECT_EQ(Order(map), expected);
}

Keys FrameworkOrder(CMapStringToPtr& framework) {
    Keys keys;
    CString key;
    void* value = nullptr;
    for (POSITION pos = framework.GetStartPosition(); pos;) {
        framework.GetNextAssoc(pos, key, value);
        keys.push_back(key.str());
    }
    return keys;
}

// Most keys removed, some added back: the survivors keep their values and their places, and a
// key added back counts as the newest of its bucket.
TEST(FrameworkOrderMapTest, KeepsOrderAndValuesAfterMostKeysAreRemoved) {
    FrameworkOrderMap<int> map;
    CMapStringToPtr framework;
    for (int i = 0; i < 200; ++i) {
        const CString key("K" + std::to_string(i));
        map.SetAt(key, i);
        framework.SetAt(key, nullptr);
    }
    for (int i = 0; i < 200; ++i) {
        if (i % 10 == 3)
            continue;
        const CString key("K" + std::to_string(i));
        EXPECT_TRUE(map.RemoveKey(key));
        framework.RemoveKey(key);
    }
    EXPECT_FALSE(map.RemoveKey("K0"));
    for (const char* key : {"K0", "K77"}) {
        map.SetAt(key, -1);
        framework.SetAt(key, nullptr);
    }
    EXPECT_EQ(map.GetCount(), 22);
    EXPECT_EQ(*map.Find("K193"), 193);
    EXPECT_EQ(*map.Find("K77"), -1);
    EXPECT_EQ(map.Find("K1"), nullptr);
    EXPECT_EQ(Order(map), FrameworkOrder(framework));
    int visited = 0;
    map.ForEach([&visited](const CString& /*key*/, int& /*value*/) { ++visited; });
    EXPECT_EQ(visited, 22);
}

}  // namespace
