#pragma once
// A string-keyed map for many keys whose order is that of the framework's string maps
// (Maps.h). Look-ups are hashed, so thousands of keys cost no more than a few; the framework
// order (buckets of the key's hash modulo 17 from 0 up, the most recently added key of a
// bucket first) is worked out only when the entries are listed, for what reaches a file.
// Changing the value of a key keeps its place, as in the framework.

#include <algorithm>
#include <cstdint>
#include <string>
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

    int GetCount() const { return static_cast<int>(m_slots.size()); }
    BOOL IsEmpty() const { return m_slots.empty(); }

    // The value of key, or null.
    Value* Find(const CString& key) {
        auto it = m_slots.find(key.str());
        return it == m_slots.end() ? nullptr : &it->second.value;
    }
    const Value* Find(const CString& key) const {
        auto it = m_slots.find(key.str());
        return it == m_slots.end() ? nullptr : &it->second.value;
    }
    // Adds key at the head of its bucket, or changes its value in place.
    void SetAt(const CString& key, Value value) {
        auto [it, added] = m_slots.try_emplace(key.str());
        it->second.value = std::move(value);
        if (added) {
            it->second.key = key;
            it->second.bucket = HashMapKey(key.c_str()) % kBuckets;
            it->second.order = ++m_added;
        }
    }
    BOOL RemoveKey(const CString& key) { return m_slots.erase(key.str()) ? TRUE : FALSE; }
    void RemoveAll() { m_slots.clear(); }

    // Calls visit(key, value) for every entry, in no particular order; visit may change the
    // value but not add or remove keys.
    template <class Visit>
    void ForEach(Visit visit) {
        for (auto& [name, slot] : m_slots)
            visit(static_cast<const CString&>(slot.key), slot.value);
    }

    // The entries in the framework's iteration order. Adding or removing keys invalidates it.
    std::vector<Entry> InOrder() {
        std::vector<Slot*> slots;
        slots.reserve(m_slots.size());
        for (auto& [name, slot] : m_slots)
            slots.push_back(&slot);
        std::sort(slots.begin(), slots.end(), [](const Slot* a, const Slot* b) {
            return a->bucket != b->bucket ? a->bucket < b->bucket : a->order > b->order;
        });
        std::vector<Entry> entries;
        entries.reserve(slots.size());
        for (Slot* slot : slots)
            entries.push_back(Entry{slot->key, slot->value});
        return entries;
    }

private:
    static constexpr UINT kBuckets = 17;

    struct Slot {
        CString key;
        Value value{};
        UINT bucket = 0;
        std::uint64_t order = 0;  // rises with each key added
    };

    std::unordered_map<std::string, Slot> m_slots;
    std::uint64_t m_added = 0;
};
