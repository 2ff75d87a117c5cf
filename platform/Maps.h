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

#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/CString.h"
#include "platform/Types.h"

class CObject;

// String keys: h = h * 33 + c over the bytes as signed chars, modulo 2^32.
UINT HashMapKey(const char* key);
// Pointer keys: the address shifted right by 4, truncated to 32 bits.
inline UINT HashMapKey(const void* key) {
    return static_cast<UINT>(reinterpret_cast<std::uintptr_t>(key) >> 4);
}
inline UINT HashMapKey(WORD key) {
    return static_cast<UINT>(key) >> 4;
}

// Key stored as Key, passed as KeyArg (a C string for string keys).
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
        DropTable();
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
        if (Assoc* assoc = Find(key))
            return assoc->value;
        return Insert(key)->value;
    }

    // Adds the pair, moved in, unless the key is there already: FALSE then, and the map keeps
    // its value.
    BOOL AddIfAbsent(Key key, Value value) {
        const UINT hash = HashMapKey(ArgOf(key));
        if (FindHashed(hash, ArgOf(key)))
            return FALSE;
        InsertHashed(hash, KeptKey(std::move(key)), std::move(value));
        return TRUE;
    }

    BOOL RemoveKey(KeyArg key) {
        if (m_buckets.empty())
            return FALSE;
        for (Assoc** link = &m_buckets[HashMapKey(key) % m_tableSize]; *link;
             link = &(*link)->next) {
            if (SameKey((*link)->key, key)) {
                Assoc* found = *link;
                *link = found->next;
                delete found;
                --m_count;
                return TRUE;
            }
        }
        return FALSE;
    }
    // Empties the map; the table size stays.
    void RemoveAll() {
        for (Assoc* head : m_buckets) {
            while (head) {
                Assoc* next = head->next;
                delete head;
                head = next;
            }
        }
        DropTable();
        m_count = 0;
    }

    POSITION GetStartPosition() const { return ToPosition(FirstFrom(0)); }
    void GetNextAssoc(POSITION& pos, Key& key, Value& value) const {
        const Assoc* assoc = reinterpret_cast<const Assoc*>(pos);
        assert(assoc && "iteration past the end of a map");
        key = assoc->key;
        value = assoc->value;
        pos = ToPosition(assoc->next ? assoc->next : FirstFrom(assoc->bucket + 1));
    }

private:
    struct Assoc {
        Assoc* next;
        UINT bucket;
        Key key;
        Value value;
    };

    static bool SameKey(const Key& stored, KeyArg key) {
        if constexpr (std::is_same_v<Key, CString>)
            return std::strcmp(stored.c_str(), key ? key : "") == 0;
        else
            return stored == key;
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
    static Key KeptKey(Key key) {
        if constexpr (std::is_same_v<Key, CString>) {
            if (std::strlen(key.c_str()) != static_cast<std::size_t>(key.GetLength()))
                return Key(key.c_str());
        }
        return key;
    }
    Assoc* Find(KeyArg key) const { return FindHashed(HashMapKey(key), key); }
    Assoc* FindHashed(UINT hash, KeyArg key) const {
        if (m_buckets.empty())
            return nullptr;
        Assoc* assoc = m_buckets[hash % m_tableSize];
        while (assoc && !SameKey(assoc->key, key))
            assoc = assoc->next;
        return assoc;
    }
    Assoc* Insert(KeyArg key) { return InsertHashed(HashMapKey(key), Key(key)); }
    Assoc* InsertHashed(UINT hash, Key key, Value value = Value()) {
        if (m_buckets.empty())
            MakeTable();
        UINT bucket = hash % m_tableSize;
        Assoc* assoc = new Assoc{m_buckets[bucket], bucket, std::move(key), std::move(value)};
        m_buckets[bucket] = assoc;
        ++m_count;
        return assoc;
    }
    // The head of the first non-empty chain at or after bucket, or null.
    const Assoc* FirstFrom(UINT bucket) const {
        for (; bucket < m_buckets.size(); ++bucket) {
            if (m_buckets[bucket])
                return m_buckets[bucket];
        }
        return nullptr;
    }

    void MakeTable() {
        if (m_tableSize == kUsualTableSize) {
            m_ownBuckets.fill(nullptr);
            m_buckets = m_ownBuckets;
        } else {
            m_otherBuckets = std::make_unique<Assoc*[]>(m_tableSize);
            m_buckets = std::span<Assoc*>(m_otherBuckets.get(), m_tableSize);
        }
    }
    void DropTable() {
        m_buckets = {};
        m_otherBuckets.reset();
    }

    static constexpr UINT kUsualTableSize = 17;
    // The bucket table, empty until the first key is added: the map's own room when it has the
    // usual size, saving an allocation for each of the many small maps of a sheet.
    std::span<Assoc*> m_buckets;
    std::array<Assoc*, kUsualTableSize> m_ownBuckets;
    std::unique_ptr<Assoc*[]> m_otherBuckets;
    UINT m_tableSize = kUsualTableSize;
    int m_count = 0;
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
