#pragma once
// Hash maps of the framework. Their iteration order is part of what files and reports hold, so
// it follows the framework exactly:
// - a table of 17 buckets, or the size given to InitHashTable while the map is empty;
// - a key's bucket is its hash modulo the table size (see HashMapKey below);
// - a new key goes to the head of its bucket's chain; changing a value keeps the key's place;
// - iteration walks the buckets from 0 up, each chain from its head.
//
// Iteration: a POSITION names the association that GetNextAssoc will return next. Removing the
// association just returned, or any other one except the next, and then continuing is safe;
// keys added during an iteration may or may not be visited.

#include <cassert>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>
#include <utility>

#include "platform/CString.h"
#include "platform/Types.h"

class CObject;

// String keys: h = h * 33 + c over the bytes as signed chars, modulo 2^32.
inline UINT HashMapKey(const char* key) {
    std::uint32_t hash = 0;
    for (const char* p = key ? key : ""; *p; ++p)
        hash = hash * 33u +
               static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(*p)));
    return hash;
}
// Pointer keys: the address shifted right by 4, truncated to 32 bits.
inline UINT HashMapKey(const void* key) {
    return static_cast<UINT>(reinterpret_cast<std::uintptr_t>(key) >> 4);
}
inline UINT HashMapKey(WORD key) {
    return static_cast<UINT>(key) >> 4;
}

// A string key as a map keeps it: up to 15 bytes in place, a longer one on the heap. The keys
// of a sheet's objects are short names ("_ID", "_Value"), and every symbol and pin has a map:
// half the room of a CString keeps them.
class MapStringKey {
public:
    MapStringKey() { m_bytes[0] = m_bytes[kLast] = 0; }
    // The text up to its first NUL; null is the empty text.
    explicit MapStringKey(const char* text) { Assign(text ? text : ""); }
    MapStringKey(const MapStringKey& other) { Assign(other.c_str()); }
    MapStringKey(MapStringKey&& other) noexcept {
        std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        other.m_bytes[0] = other.m_bytes[kLast] = 0;
    }
    MapStringKey& operator=(const MapStringKey& other) {
        if (this != &other)
            *this = MapStringKey(other);
        return *this;
    }
    MapStringKey& operator=(MapStringKey&& other) noexcept {
        if (this != &other) {
            Release();
            std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
            other.m_bytes[0] = other.m_bytes[kLast] = 0;
        }
        return *this;
    }
    ~MapStringKey() { Release(); }

    const char* c_str() const { return IsHeld() ? Held() : m_bytes; }

private:
    // The last byte is 0 for a text in place (its terminator when it is 15 bytes long) and 1 for
    // one on the heap, whose address the first bytes hold.
    static constexpr std::size_t kLast = 15;

    bool IsHeld() const { return m_bytes[kLast] != 0; }
    char* Held() const {
        char* text = nullptr;
        std::memcpy(&text, m_bytes, sizeof text);
        return text;
    }
    void Assign(const char* text) {
        const std::size_t length = std::strlen(text);
        if (length <= kLast) {
            std::memcpy(m_bytes, text, length + 1);
            m_bytes[kLast] = 0;
            return;
        }
        char* held = new char[length + 1];
        std::memcpy(held, text, length + 1);
        std::memcpy(m_bytes, &held, sizeof held);
        m_bytes[kLast] = 1;
    }
    void Release() {
        if (IsHeld())
            delete[] Held();
    }

    char m_bytes[kLast + 1];
};
static_assert(sizeof(MapStringKey) == 16);

// Key passed as KeyArg (a C string for string keys), stored as Key (MapStringKey for string
// keys).
//
// The associations form one list in iteration order, so a walk is a walk down the list; a map
// of more than a few keys also keeps each bucket's first and last association, so that a
// look-up or an insertion does not walk the whole list. Most maps of a sheet hold one or two
// keys: the map has room for one association of its own, and allocates only the others.
template <class Key, class KeyArg, class Value>
class FrameworkMap {
public:
    // The framework allocates associations in blocks of this many; here they are allocated one by
    // one, so the block size is accepted and has no effect.
    explicit FrameworkMap(int blockSize = 10) { static_cast<void>(blockSize); }
    ~FrameworkMap() { RemoveAll(); }
    FrameworkMap(const FrameworkMap&) = delete;
    FrameworkMap& operator=(const FrameworkMap&) = delete;

    int GetCount() const { return m_count; }
    int GetSize() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0; }
    UINT GetHashTableSize() const { return m_tableSize; }

    // Takes effect only while the map is empty; a size of 0 is ignored.
    void InitHashTable(UINT tableSize) {
        if (m_count != 0 || tableSize == 0)
            return;
        m_buckets.reset();
        m_tableSize = tableSize;
    }

    BOOL Lookup(KeyArg key, Value& value) const {
        const Assoc* assoc = Find(key);
        if (!assoc)
            return FALSE;
        value = assoc->value;
        return TRUE;
    }
    // The stored value of key, or null; valid until the key is removed.
    const Value* PLookup(KeyArg key) const {
        const Assoc* assoc = Find(key);
        return assoc ? &assoc->value : nullptr;
    }
    void SetAt(KeyArg key, const Value& value) { (*this)[key] = value; }
    // The value of key, added with a default value when absent.
    Value& operator[](KeyArg key) {
        const UINT hash = HashMapKey(key);
        if (Assoc* assoc = FindHashed(hash, key))
            return assoc->value;
        return InsertHashed(hash, StoredKey(key), Value())->value;
    }

    // Adds the pair, moved in, unless the key is there already: FALSE then, and the map keeps
    // its value.
    BOOL AddIfAbsent(Key key, Value value) {
        const UINT hash = HashMapKey(ArgOf(key));
        if (FindHashed(hash, ArgOf(key)))
            return FALSE;
        InsertHashed(hash, Store(std::move(key)), std::move(value));
        return TRUE;
    }

    BOOL RemoveKey(KeyArg key) {
        const UINT hash = HashMapKey(key);
        const UINT bucket = BucketOf(hash);
        Assoc* before = nullptr;  // the association before the key's in its bucket
        Assoc** link = FirstLinkOf(bucket);
        for (; *link && (*link)->bucket == bucket; link = &(*link)->next) {
            if (Matches(**link, hash, key))
                break;
            before = *link;
        }
        if (!*link || (*link)->bucket != bucket)
            return FALSE;
        Assoc* found = *link;
        if (m_buckets)
            Unindex(*found, before);
        *link = found->next;
        Free(found);
        --m_count;
        return TRUE;
    }
    // Empties the map; the table size stays.
    void RemoveAll() {
        while (m_first) {
            Assoc* next = m_first->next;
            Free(m_first);
            m_first = next;
        }
        m_buckets.reset();
        m_count = 0;
    }

    // Empties the map and gives it the other's table size and pairs, which it then walks in the
    // other's order. (Walking the other and adding each pair would reverse the keys sharing a
    // bucket, a new key going first in its bucket.)
    void CopyFrom(const FrameworkMap& other) {
        if (&other == this)
            return;
        RemoveAll();
        m_tableSize = other.m_tableSize;
        Assoc** link = &m_first;
        for (const Assoc* from = other.m_first; from; from = from->next) {
            Assoc* assoc = m_own.bucket == kUnused ? &m_own : new Assoc;
            *assoc = Assoc{nullptr, from->hash, from->bucket, from->key, from->value};
            *link = assoc;
            link = &assoc->next;
            ++m_count;
        }
        if (m_count > kListedOnly)
            IndexBuckets();
    }

    POSITION GetStartPosition() const { return ToPosition(m_first); }
    void GetNextAssoc(POSITION& pos, Key& key, Value& value) const {
        const Assoc* assoc = reinterpret_cast<const Assoc*>(pos);
        assert(assoc && "iteration past the end of a map");
        if constexpr (std::is_same_v<Key, CString>)
            key = assoc->key.c_str();
        else
            key = assoc->key;
        value = assoc->value;
        pos = ToPosition(assoc->next);
    }

private:
    // The bucket of the map's own association while it is not in use.
    static constexpr UINT kUnused = ~0u;
    using StoredKey = std::conditional_t<std::is_same_v<Key, CString>, MapStringKey, Key>;
    struct Assoc {
        Assoc* next = nullptr;
        UINT hash = 0;
        UINT bucket = kUnused;
        StoredKey key{};
        Value value{};
    };
    // A bucket's first and last association in the list, both null while it is empty.
    struct Bucket {
        Assoc* first = nullptr;
        Assoc* last = nullptr;
    };
    // Up to this many keys the list alone is searched.
    static constexpr int kListedOnly = 8;

    static bool SameKey(const StoredKey& stored, KeyArg key) {
        if constexpr (std::is_same_v<Key, CString>)
            return std::strcmp(stored.c_str(), key ? key : "") == 0;
        else
            return stored == key;
    }
    static bool Matches(const Assoc& assoc, UINT hash, KeyArg key) {
        return assoc.hash == hash && SameKey(assoc.key, key);
    }
    static POSITION ToPosition(const Assoc* assoc) {
        return reinterpret_cast<POSITION>(const_cast<Assoc*>(assoc));
    }

    static KeyArg ArgOf(const Key& key) {
        if constexpr (std::is_same_v<Key, CString>)
            return key.c_str();
        else
            return key;
    }
    // A string key is kept up to its first NUL, as one given as a C string is.
    static StoredKey Store(Key&& key) {
        if constexpr (std::is_same_v<Key, CString>)
            return MapStringKey(key.c_str());
        else
            return std::move(key);
    }

    // The usual table size is a constant, which spares a division.
    UINT BucketOf(UINT hash) const {
        return m_tableSize == kUsualTableSize ? hash % kUsualTableSize : hash % m_tableSize;
    }
    Assoc* Find(KeyArg key) const { return FindHashed(HashMapKey(key), key); }
    Assoc* FindHashed(UINT hash, KeyArg key) const {
        const UINT bucket = BucketOf(hash);
        Assoc* assoc = m_buckets ? m_buckets[bucket].first : m_first;
        while (assoc && assoc->bucket < bucket)
            assoc = assoc->next;
        for (; assoc && assoc->bucket == bucket; assoc = assoc->next) {
            if (Matches(*assoc, hash, key))
                return assoc;
        }
        return nullptr;
    }
    // The link that holds the bucket's first association, or where it would go: the list head,
    // or the next link of the last association of an earlier bucket.
    Assoc** FirstLinkOf(UINT bucket) {
        if (m_buckets) {
            for (UINT before = bucket; before-- > 0;) {
                if (m_buckets[before].last)
                    return &m_buckets[before].last->next;
            }
            return &m_first;
        }
        Assoc** link = &m_first;
        while (*link && (*link)->bucket < bucket)
            link = &(*link)->next;
        return link;
    }
    // A new key goes first in its bucket.
    Assoc* InsertHashed(UINT hash, StoredKey&& key, Value&& value) {
        const UINT bucket = BucketOf(hash);
        Assoc** link = FirstLinkOf(bucket);
        Assoc* assoc = nullptr;
        if (m_own.bucket == kUnused) {
            assoc = &m_own;
            m_own.next = *link;
            m_own.hash = hash;
            m_own.bucket = bucket;
            m_own.key = std::move(key);
            m_own.value = std::move(value);
        } else {
            assoc = new Assoc{*link, hash, bucket, std::move(key), std::move(value)};
        }
        *link = assoc;
        ++m_count;
        if (m_buckets) {
            Bucket& entry = m_buckets[bucket];
            entry.first = assoc;
            if (!entry.last)
                entry.last = assoc;
        } else if (m_count > kListedOnly) {
            IndexBuckets();
        }
        return assoc;
    }
    void IndexBuckets() {
        m_buckets = std::make_unique<Bucket[]>(m_tableSize);
        for (Assoc* assoc = m_first; assoc; assoc = assoc->next) {
            Bucket& entry = m_buckets[assoc->bucket];
            if (!entry.first)
                entry.first = assoc;
            entry.last = assoc;
        }
    }
    void Free(Assoc* assoc) {
        if (assoc == &m_own)
            m_own = Assoc{};
        else
            delete assoc;
    }
    // Takes the association out of its bucket's entry; before is the one ahead of it in the
    // bucket, or null.
    void Unindex(const Assoc& assoc, Assoc* before) {
        Bucket& entry = m_buckets[assoc.bucket];
        if (entry.first == &assoc)
            entry.first = assoc.next && assoc.next->bucket == assoc.bucket ? assoc.next : nullptr;
        if (entry.last == &assoc)
            entry.last = before;
    }

    Assoc* m_first = nullptr;
    // Each bucket's first and last association, for a map of more than kListedOnly keys.
    std::unique_ptr<Bucket[]> m_buckets;
    UINT m_tableSize = kUsualTableSize;
    int m_count = 0;
    Assoc m_own;

    static constexpr UINT kUsualTableSize = 17;
};

class CMapStringToString : public FrameworkMap<CString, const char*, CString> {
public:
    using FrameworkMap::FrameworkMap;
};

class CMapStringToPtr : public FrameworkMap<CString, const char*, void*> {
public:
    using FrameworkMap::FrameworkMap;
};

class CMapStringToOb : public FrameworkMap<CString, const char*, CObject*> {
public:
    using FrameworkMap::FrameworkMap;
};

class CMapPtrToPtr : public FrameworkMap<void*, void*, void*> {
public:
    using FrameworkMap::FrameworkMap;
};

class CMapWordToPtr : public FrameworkMap<WORD, WORD, void*> {
public:
    using FrameworkMap::FrameworkMap;
};

class CMapPtrToWord : public FrameworkMap<void*, void*, WORD> {
public:
    using FrameworkMap::FrameworkMap;
};
