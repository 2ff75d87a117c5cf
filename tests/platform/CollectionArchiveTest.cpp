#include "platform/CollectionArchive.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/Archive.h"
#include "platform/Maps.h"
#include "platform/MemFile.h"

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// The stored form of a map: the count, then each key and value.
std::vector<BYTE> Stored(const Pairs& pairs) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.WriteCount(static_cast<DWORD>(pairs.size()));
    for (const auto& [key, value] : pairs)
        ar << CString(key) << CString(value);
    ar.Close();
    return file.Detach();
}

// The pairs in the map's own order.
Pairs Listed(const CMapStringToString& map) {
    Pairs pairs;
    CString key;
    CString value;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        map.GetNextAssoc(pos, key, value);
        pairs.emplace_back(key.str(), value.str());
    }
    return pairs;
}

Pairs Loaded(const std::vector<BYTE>& bytes,
             const std::function<bool(const CString&)>& accept = {}) {
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    CMapStringToString map;
    SerializeStringMap(ar, map, accept);
    ar.Close();
    return Listed(map);
}

// Keys in framework order of 17 buckets: "D3" (bucket 0), "D0" (14), "D1" (15), "D2" (16).
const Pairs kOrdered = {{"D3", "c"}, {"D0", "z"}, {"D1", "a"}, {"D2", "b"}};

// A map is read back in the order it was stored, whether it holds one pair, a few or many.
TEST(CollectionArchive, StringMapsOfAnySizeReadBackInStoredOrder) {
    EXPECT_EQ(Loaded(Stored({})), Pairs{});
    EXPECT_EQ(Loaded(Stored({{"_ID", "A"}})), (Pairs{{"_ID", "A"}}));
    EXPECT_EQ(Loaded(Stored(kOrdered)), kOrdered);
    Pairs many;
    for (int i = 0; i < 12; ++i)
        many.emplace_back("K" + std::to_string(i), std::to_string(i));
    CMapStringToString map;
    for (auto it = many.rbegin(); it != many.rend(); ++it)
        map.SetAt(it->first.c_str(), it->second.c_str());
    const Pairs listed = Listed(map);
    EXPECT_EQ(Loaded(Stored(listed)), listed);
}

// Keys the reader refuses stay out, also as a map's only pair; a key holding a NUL is kept up
// to it; of a key stored twice the later value counts.
TEST(CollectionArchive, StringMapsKeepAcceptedKeysUpToTheirNul) {
    auto noUnderscore = [](const CString& key) { return key.Left(1) != "_"; };
    EXPECT_EQ(Loaded(Stored({{"_ID", "A"}}), noUnderscore), Pairs{});
    EXPECT_EQ(Loaded(Stored({{"_ID", "A"}, {"D0", "z"}}), noUnderscore), (Pairs{{"D0", "z"}}));
    EXPECT_EQ(Loaded(Stored({{std::string("Net\0x", 5), "VCC"}})), (Pairs{{"Net", "VCC"}}));
    EXPECT_EQ(Loaded(Stored({{"D0", "first"}, {"D0", "later"}})), (Pairs{{"D0", "later"}}));
}

}  // namespace
