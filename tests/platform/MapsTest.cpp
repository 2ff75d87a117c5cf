#include "platform/Maps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

// Every map class compiles in full.
template class FrameworkMap<CString, const char*, CString>;
template class FrameworkMap<CString, const char*, void*>;
template class FrameworkMap<CString, const char*, CObject*>;
template class FrameworkMap<void*, void*, void*>;
template class FrameworkMap<WORD, WORD, void*>;
template class FrameworkMap<void*, void*, WORD>;

namespace {

static_assert(!std::is_copy_constructible_v<CMapStringToString>);

using Keys = std::vector<std::string>;

void Insert(CMapStringToString& map, std::initializer_list<const char*> keys) {
    for (const char* key : keys)
        map.SetAt(key, CString("value of ") + key);
}

Keys Order(const CMapStringToString& map) {
    Keys keys;
    CString key, value;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        map.GetNextAssoc(pos, key, value);
        keys.push_back(key.str());
    }
    return keys;
}

void* Address(std::uintptr_t value) {
    return reinterpret_cast<void*>(value);
}

// With 17 buckets: "D0" falls in bucket 14, "DA" in 14, "D1" 15, "D2" 16, "D3" 0, "D6" 3.

TEST(MapsTest, IterationFollowsBucketsFromZeroNewestKeyFirst) {
    CMapStringToString map;
    Insert(map, {"D0", "D1", "D2", "D3"});
    EXPECT_EQ(Order(map), (Keys{"D3", "D0", "D1", "D2"}));
    EXPECT_EQ(map.GetHashTableSize(), 17u);
    Insert(map, {"DA"});
    EXPECT_EQ(Order(map), (Keys{"D3", "DA", "D0", "D1", "D2"}));

    // Changing a value keeps the key where it is.
    map.SetAt("D0", "changed");
    map["D1"] = "changed too";
    EXPECT_EQ(Order(map), (Keys{"D3", "DA", "D0", "D1", "D2"}));
    EXPECT_EQ(map.GetCount(), 5);
    CString value;
    ASSERT_TRUE(map.Lookup("D2", value));
    EXPECT_EQ(value, "value of D2");
    EXPECT_FALSE(map.Lookup("D4", value));
}

// Adding only an absent key: a new key goes where SetAt puts it, a present one keeps its value
// and place, and a key with a NUL in it is kept up to the NUL, as SetAt keeps it.
TEST(MapsTest, AddIfAbsentKeepsWhatIsThere) {
    CMapStringToString map;
    EXPECT_TRUE(map.AddIfAbsent("D0", "zero"));
    EXPECT_TRUE(map.AddIfAbsent("DA", "a"));
    EXPECT_TRUE(map.AddIfAbsent("D3", "three"));
    EXPECT_EQ(Order(map), (Keys{"D3", "DA", "D0"}));
    EXPECT_FALSE(map.AddIfAbsent("D0", "again"));
    EXPECT_EQ(Order(map), (Keys{"D3", "DA", "D0"}));
    EXPECT_EQ(map.GetCount(), 3);
    CString value;
    ASSERT_TRUE(map.Lookup("D0", value));
    EXPECT_EQ(value, "zero");

    EXPECT_TRUE(map.AddIfAbsent(CString(std::string("D1\0x", 4)), CString(std::string("v\0w", 3))));
    EXPECT_FALSE(map.AddIfAbsent(CString(std::string("D1\0y", 4)), "other"));
    const CString* stored = map.PLookup("D1");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->str(), std::string("v\0w", 3));
    EXPECT_EQ(Order(map), (Keys{"D3", "DA", "D0", "D1"}));
}

TEST(MapsTest, TableSizeChangesTheOrder) {
    CMapStringToString map;
    map.InitHashTable(31);
    Insert(map, {"D0", "D1", "D2", "D3"});
    EXPECT_EQ(Order(map), (Keys{"D2", "D3", "D0", "D1"}));

    // Ignored once keys are present; kept across RemoveAll.
    map.InitHashTable(17);
    EXPECT_EQ(map.GetHashTableSize(), 31u);
    EXPECT_EQ(Order(map), (Keys{"D2", "D3", "D0", "D1"}));
    map.RemoveAll();
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    Insert(map, {"D0", "D1", "D2", "D3"});
    EXPECT_EQ(Order(map), (Keys{"D2", "D3", "D0", "D1"}));

    map.RemoveAll();
    map.InitHashTable(0);
    EXPECT_EQ(map.GetHashTableSize(), 31u);
}

TEST(MapsTest, HighBytesHashAsSignedCharacters) {
    EXPECT_EQ(HashMapKey("\xE9"), 0xFFFFFFE9u);
    EXPECT_EQ(HashMapKey("D0"), 68u * 33 + 48);
    EXPECT_EQ(HashMapKey(""), 0u);

    // Signed, "\xE9" "A" lands in bucket 4, after "D6" in bucket 3 (unsigned it would be 2).
    CMapStringToString map;
    Insert(map, {"\xE9"
                 "A",
                 "D6"});
    EXPECT_EQ(Order(map), (Keys{"D6",
                                "\xE9"
                                "A"}));
}

TEST(MapsTest, RemovingTheAssociationJustReturnedDuringIteration) {
    CMapStringToString map;
    Insert(map, {"D0", "D1", "D2", "D3", "DA", "D6"});
    Keys seen;
    CString key, value;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        map.GetNextAssoc(pos, key, value);
        seen.push_back(key.str());
        EXPECT_TRUE(map.RemoveKey(key));
    }
    EXPECT_EQ(seen, (Keys{"D3", "D6", "DA", "D0", "D1", "D2"}));
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), nullptr);
}

TEST(MapsTest, PointerKeysOrderedByAddressOverSixteen) {
    CMapPtrToPtr map;
    for (std::uintptr_t key : {0x100u, 0x10u, 0x110u, 0x118u})
        map.SetAt(Address(key), Address(key + 1));
    std::vector<std::uintptr_t> keys;
    void* key;
    void* value;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(value, static_cast<char*>(key) + 1);
        keys.push_back(reinterpret_cast<std::uintptr_t>(key));
    }
    // 0x110 and 0x118 share bucket 0 (newest first), 0x10 is in 1 and 0x100 in 16.
    EXPECT_EQ(keys, (std::vector<std::uintptr_t>{0x118, 0x110, 0x10, 0x100}));

    if constexpr (sizeof(void*) == 8) {
        // Hashes are truncated to 32 bits: (2^36 + 0x10) >> 4 hashes as 1, not 2^32 + 1.
        EXPECT_EQ(HashMapKey(Address((std::uintptr_t{1} << 36) + 0x10)), 1u);
    }
}

}  // namespace

namespace {

// The framework's order worked out from its rule: buckets from 0 up, the newest key first.
Keys ExpectedOrder(const std::vector<std::string>& addedOldestFirst, UINT tableSize) {
    std::vector<std::pair<UINT, size_t>> places;
    for (size_t i = 0; i < addedOldestFirst.size(); ++i)
        places.emplace_back(HashMapKey(addedOldestFirst[i].c_str()) % tableSize, i);
    std::stable_sort(places.begin(), places.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second > b.second;
    });
    Keys keys;
    for (const auto& place : places)
        keys.push_back(addedOldestFirst[place.second]);
    return keys;
}

// Many keys, so that buckets hold several: added, looked up and removed at every place in a
// bucket (first, last, between, alone), during an iteration too, the order always the rule's.
TEST(MapsTest, ManyKeysKeepTheOrderThroughAddsAndRemovals) {
    for (const UINT tableSize : {17u, 5u, 101u}) {
        CMapStringToString map;
        map.InitHashTable(tableSize);
        std::vector<std::string> present;
        for (int i = 0; i < 60; ++i) {
            present.push_back("K" + std::to_string(i * 7));
            map.SetAt(present.back().c_str(), present.back().c_str());
        }
        ASSERT_EQ(Order(map), ExpectedOrder(present, tableSize)) << tableSize;

        for (size_t at : {size_t{0}, size_t{58}, size_t{30}, size_t{5}, size_t{44}}) {
            const std::string key = present[at];
            EXPECT_TRUE(map.RemoveKey(key.c_str()));
            EXPECT_FALSE(map.RemoveKey(key.c_str()));
            present.erase(present.begin() + static_cast<std::ptrdiff_t>(at));
            ASSERT_EQ(Order(map), ExpectedOrder(present, tableSize)) << tableSize << key;
        }
        map.SetAt("K0", "K0");
        present.push_back("K0");
        EXPECT_EQ(Order(map), ExpectedOrder(present, tableSize)) << tableSize;

        // Every other key removed while iterating: the rest still come in order.
        CString key, value;
        int step = 0;
        for (POSITION pos = map.GetStartPosition(); pos; ++step) {
            map.GetNextAssoc(pos, key, value);
            EXPECT_EQ(value, key);
            if (step % 2 == 0) {
                EXPECT_TRUE(map.RemoveKey(key));
                std::erase(present, key.str());
            }
        }
        EXPECT_EQ(Order(map), ExpectedOrder(present, tableSize)) << tableSize;
        EXPECT_EQ(map.GetCount(), static_cast<int>(present.size()));
        for (const std::string& kept : present)
            EXPECT_NE(map.PLookup(kept.c_str()), nullptr) << kept;

        // Emptied key by key, the map takes new keys as a fresh one does.
        for (const std::string& kept : present)
            EXPECT_TRUE(map.RemoveKey(kept.c_str()));
        EXPECT_EQ(map.GetStartPosition(), nullptr);
        Insert(map, {"D0", "D1", "D2", "D3"});
        EXPECT_EQ(Order(map), ExpectedOrder({"D0", "D1", "D2", "D3"}, tableSize));
    }
}

// A copy walks its pairs in the source's order, keys sharing a bucket too, whatever the copy held
// before; a copy of many keys takes further keys and removals as the source does.
TEST(MapsTest, CopyFromKeepsTheSourcesOrderAndTableSize) {
    CMapStringToString source;
    Insert(source, {"D0", "D1", "DA", "D3"});
    CMapStringToString copy;
    copy.InitHashTable(31);
    Insert(copy, {"D2", "D6"});
    copy.CopyFrom(source);
    EXPECT_EQ(Order(copy), (Keys{"D3", "DA", "D0", "D1"}));
    EXPECT_EQ(copy.GetHashTableSize(), 17u);
    CString value;
    EXPECT_FALSE(copy.Lookup("D2", value));
    ASSERT_TRUE(copy.Lookup("D0", value));
    EXPECT_EQ(value, "value of D0");
    copy.CopyFrom(copy);
    EXPECT_EQ(Order(copy), (Keys{"D3", "DA", "D0", "D1"}));

    CMapStringToString many;
    many.InitHashTable(5);
    std::vector<std::string> present;
    for (int i = 0; i < 30; ++i) {
        present.push_back("K" + std::to_string(i * 7));
        many.SetAt(present.back().c_str(), present.back().c_str());
    }
    copy.CopyFrom(many);
    EXPECT_EQ(Order(copy), ExpectedOrder(present, 5));
    copy.SetAt("K1", "K1");
    present.push_back("K1");
    EXPECT_TRUE(copy.RemoveKey("K70"));
    std::erase(present, "K70");
    EXPECT_EQ(Order(copy), ExpectedOrder(present, 5));
    EXPECT_EQ(Order(many).size(), 30u);
}

// A value stays where it is until its own key is removed, whichever key went in first.
TEST(MapsTest, ValuesStayPutWhileOtherKeysComeAndGo) {
    CMapStringToString map;
    Insert(map, {"D0", "D1"});
    const CString* second = map.PLookup("D1");
    EXPECT_TRUE(map.RemoveKey("D0"));
    Insert(map, {"D3", "D2"});
    EXPECT_EQ(map.PLookup("D1"), second);
    EXPECT_EQ(*second, "value of D1");
    EXPECT_EQ(Order(map), (Keys{"D3", "D1", "D2"}));
    map.RemoveAll();
    Insert(map, {"DA"});
    EXPECT_EQ(Order(map), (Keys{"DA"}));
}

// Keys of any length are kept whole, through copies, removals and a whole-map copy: short ones
// in place, long ones apart; a symbol's or pin's map with its one key takes less room than a
// key and a value of its own beside four pointers.
TEST(MapsTest, KeysOfEveryLengthAreKeptWhole) {
    EXPECT_LT(sizeof(CMapStringToString), 2 * sizeof(CString) + 4 * sizeof(void*));
    CMapStringToString map;
    Keys keys;
    for (std::size_t length = 0; length <= 40; ++length) {
        std::string key(length, 'k');
        if (length > 0)
            key.back() = static_cast<char>('A' + length % 26);
        keys.push_back(key);
        map.SetAt(key.c_str(), (key + "=").c_str());
    }
    for (std::size_t length = 0; length <= 40; length += 3)
        EXPECT_TRUE(map.RemoveKey(keys[length].c_str()));
    CMapStringToString copy;
    copy.CopyFrom(map);
    for (const CMapStringToString* each : {&map, &copy}) {
        EXPECT_EQ(each->GetCount(), 27);
        for (std::size_t length = 0; length <= 40; ++length) {
            CString value;
            EXPECT_EQ(each->Lookup(keys[length].c_str(), value), length % 3 != 0) << length;
            if (length % 3 != 0) {
                EXPECT_EQ(value.str(), keys[length] + "=");
            }
        }
        Keys listed = Order(*each);
        for (const std::string& key : listed)
            EXPECT_NE(key.size() % 3, 0u) << key;
        EXPECT_EQ(listed.size(), 27u);
    }
    EXPECT_EQ(Order(map), Order(copy));
}

}  // namespace
