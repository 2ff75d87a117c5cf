#include "platform/CollectionArchive.h"

#include "platform/Archive.h"
#include "platform/Maps.h"
#include "platform/ObList.h"

#include <array>
#include <span>
#include <utility>
#include <vector>

namespace {
// A string takes at least its one length byte.
constexpr DWORD kMinPairBytes = 2;
// An object takes at least its WORD tag.
constexpr DWORD kMinObjectBytes = 2;
constexpr DWORD kFewPairs = 8;

using StringPair = std::pair<CString, CString>;
}  // namespace

void SerializeStringMap(CArchive& ar, CMapStringToString& map,
                        const std::function<bool(const CString&)>& accept) {
    CString key;
    CString value;
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(map.GetCount()));
        for (POSITION pos = map.GetStartPosition(); pos;) {
            map.GetNextAssoc(pos, key, value);
            ar << key << value;
        }
        return;
    }
    const DWORD count = ar.ReadCheckedCount(kMinPairBytes);
    // A pin's or a net's map usually holds one pair: it goes straight in.
    if (count == 1) {
        ar >> key >> value;
        if (!accept || accept(key))
            map.AddIfAbsent(std::move(key), std::move(value));
        return;
    }
    // Most other maps hold a few pairs; those are read without allocating room for them.
    std::array<StringPair, kFewPairs> few;
    std::vector<StringPair> many(count > kFewPairs ? count : 0);
    const std::span<StringPair> pairs =
        count > kFewPairs ? std::span<StringPair>(many) : std::span<StringPair>(few.data(), count);
    for (auto& [name, text] : pairs)
        ar >> name >> text;
    for (auto it = pairs.rbegin(); it != pairs.rend(); ++it) {
        if (!accept || accept(it->first))
            map.AddIfAbsent(std::move(it->first), std::move(it->second));
    }
}

void SerializeObjectList(CArchive& ar, CObList& list, const CRuntimeClass* expected) {
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(list.GetCount()));
        for (POSITION pos = list.GetHeadPosition(); pos;)
            ar.WriteObject(list.GetNext(pos));
        return;
    }
    for (DWORD count = ar.ReadCheckedCount(kMinObjectBytes); count > 0; --count) {
        if (CObject* object = ar.ReadObject(expected))
            list.AddTail(object);
    }
}

void SerializeOwnedObjectList(CArchive& ar, CObList& list, const CRuntimeClass* expected) {
    if (ar.IsStoring()) {
        SerializeObjectList(ar, list, expected);
        return;
    }
    for (DWORD count = ar.ReadCheckedCount(kMinObjectBytes); count > 0; --count) {
        if (CObject* object = ar.ReadObject(expected)) {
            ar.ClaimObject(object);
            list.AddTail(object);
        }
    }
}
