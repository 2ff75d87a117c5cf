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

Keys Order(const CMapStringToPtr& map) {
    Keys keys;
    CString key;
    void* value = nullptr;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        map.GetNextAssoc(pos, key, value);
        keys.push_back(key.str());
    }
    return keys;
}

TEST(FrameworkOrderMapTest, ListsInTheOrderOfTheFrameworkMap) {
    FrameworkOrderMap<int> map;
    for (const char* key : {"D0", "D1", "D2", "D3", "VCC", "OUT", "GND"})
        map.SetAt(key, 1);
    EXPECT_EQ(Order(map), (Keys{"D3", "VCC", "GND", "OUT", "D0", "D1", "D2"}));
    map.SetAt("GND", 2);  // keeps its place
    EXPECT_EQ(Order(map), (Keys{"D3", "VCC", "GND", "OUT", "D0", "D1", "D2"}));
    map.RemoveKey("OUT");
    map.SetAt("OUT", 3);  // comes back as the newest of its bucket
    EXPECT_EQ(Order(map), (Keys{"D3", "VCC", "OUT", "GND", "D0", "D1", "D2"}));
    EXPECT_EQ(*map.Find("GND"), 2);
    EXPECT_EQ(map.Find("out"), nullptr);
    EXPECT_FALSE(map.RemoveKey("none"));
}

TEST(FrameworkOrderMapTest, ManyKeysAddedAndRemovedListLikeTheFrameworkMap) {
    FrameworkOrderMap<int> map;
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
    EXPECT_EQ(map.GetCount(), framework.GetCount());
    EXPECT_EQ(Order(map), Order(framework));
}

}  // namespace
