#pragma once
// A string-keyed map for many keys whose order is that of the framework's string maps
// (Maps.h). Look-ups are hashed, so thousands of keys cost no more than a few; the framework
// order (buckets of the key's hash modulo 17 from 0 up, the most recently added key of a
// bucket first) is worked out only when the entries are listed, for what reaches a file.
// Changing the value of a key keeps its place, as in the framework.
//
// The entries are kept in the order they were added; a removed one is only marked until
// removed ones outnumber the others, when the storage is compacted.

#include <array>
#include <deque>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/CString.h"
#include "platform/Maps.h"

template <class Value>
class FrameworkOrderMap {
public:
    struct Entry {
        const CString& key;
        Value& value;
    };

    FrameworkOrderMap() = default;
    FrameworkOrderMap(const FrameworkOrderMap&) = delete;
    FrameworkOrderMap& operator=(const FrameworkOrderMap&) = delete;
    FrameworkOrderMap(FrameworkOrderMap&&) = default;
    FrameworkOrderMap& operator=(FrameworkOrderMap&&) = default;

    int GetCount() const { return static_cast<int>(m_index.size()); }
    BOOL IsEmpty() const { return m_index.empty(); }
    // Room for count keys in the look-up table, so that adding them does not rebuild it.
    void Reserve(size_t count) { m_index.reserve(count); }

    // The value of key, or null. Valid until the key or a later added one is removed.
    Value* Find(const CString& key) {
        auto it = m_index.find(key.str());
        return it == m_index.end() ? nullptr : &it->second->value;
    }
    const Value* Find(const CString& key) const {
        auto it = m_index.find(key.str());
        return it == m_index.end() ? nullptr : &it->second->value;
    }
    // The value of key; an absent key is added at the head of its bucket with a default value.
    Value& operator[](const CString& key) {
        if (Value* found = Find(key))
            return *found;
        Slot& slot = m_slots.emplace_back(key);
        m_index.emplace(slot.key.str(), &slot);
        return slot.value;
    }
    // Adds key at the head of its bucket, or changes its value in place.
    void SetAt(const CString& key, Value value) { (*this)[key] = std::move(value); }
    BOOL RemoveKey(const CString& key) {
        auto it = m_index.find(key.str());
        if (it == m_index.end())
            return FALSE;
        it->second->removed = true;
        it->second->value = Value{};
        m_index.erase(it);
        if (m_slots.size() > 2 * m_index.size() + kSlack)
            Compact();
        return TRUE;
    }
    void RemoveAll() {
        m_index.clear();
        m_slots.clear();
    }

    // Calls visit(key, value) for every entry, in no particular order; visit may change the
    // value but not add or remove keys.
    template <class Visit>
    void ForEach(Visit visit) {
        for (Slot& slot : m_slots) {
            if (!slot.removed)
                visit(static_cast<const CString&>(slot.key), slot.value);
        }
    }

    // The entries in the framework's iteration order. Adding or removing keys invalidates it.
    std::vector<Entry> InOrder() {
        // Each bucket's range in the listing, then its keys from the newest.
        std::array<size_t, kBuckets + 1> next{};
        for (const Slot& slot : m_slots) {
            if (!slot.removed)
                ++next[slot.bucket + 1];
        }
        for (UINT bucket = 1; bucket <= kBuckets; ++bucket)
            next[bucket] += next[bucket - 1];
        std::vector<Slot*> ordered(m_index.size());
        for (auto it = m_slots.rbegin(); it != m_slots.rend(); ++it) {
            if (!it->removed)
                ordered[next[it->bucket]++] = &*it;
        }
        std::vector<Entry> entries;
        entries.reserve(ordered.size());
        for (Slot* slot : ordered)
            entries.push_back(Entry{slot->key, slot->value});
        return entries;
    }

private:
    static constexpr UINT kBuckets = 17;
    static constexpr size_t kSlack = 16;

    struct Slot {
        explicit Slot(const CString& name)
            : key(name), bucket(HashMapKey(name.c_str()) % kBuckets) {}

        CString key;
        Value value{};
        UINT bucket;
        bool removed = false;
    };

    // Drops the removed entries' storage; the others keep their order.
    void Compact() {
        std::deque<Slot> kept;
        m_index.clear();
        for (Slot& slot : m_slots) {
            if (slot.removed)
                continue;
            Slot& moved = kept.emplace_back(std::move(slot));
            m_index.emplace(moved.key.str(), &moved);
        }
        m_slots = std::move(kept);
    }

    std::deque<Slot> m_slots;  // in the order added
    std::unordered_map<std::string_view, Slot*> m_index;
};
