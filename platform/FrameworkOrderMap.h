#pragma once
// A string-keyed map for many keys whose order is that of the framework's string maps
// (Maps.h). Look-ups are hashed, so thousands of keys cost no more than a few; the framework
// order (buckets of the key's hash modulo 17 from 0 up, the most recently added key of a
// bucket first) is worked out only when the entries are listed, for what reaches a file.
// Changing the value of a key keeps its place, as in the framework.
//
// The entries are kept in the order they were added; a removed one is only marked until
// removed ones outnumber the others, when the storage is compacted. The look-up table is one
// array of small cells, open addressed and at most half full, each naming an entry by its
// place in the storage with part of its hash.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/CString.h"
#include "platform/Maps.h"
#include "platform/Prefetch.h"

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

    int GetCount() const { return static_cast<int>(m_count); }
    BOOL IsEmpty() const { return m_count == 0; }

    // The value of key, or null. Valid until the key or a later added one is removed.
    Value* Find(const CString& key) {
        Slot* slot = FindSlot(key.str(), Hash(key.str()));
        return slot ? &slot->value : nullptr;
    }
    const Value* Find(const CString& key) const {
        const Slot* slot = FindSlot(key.str(), Hash(key.str()));
        return slot ? &slot->value : nullptr;
    }
    // Asks for the look-up cell of key, to be read a little later.
    void FetchAhead(const CString& key) const {
        if (!m_cells.empty())
            FetchLine(&m_cells[Hash(key.str()) & (m_cells.size() - 1)]);
    }
    // The value of key; an absent key is added at the head of its bucket with a default value.
    Value& operator[](const CString& key) {
        const size_t hash = Hash(key.str());
        if (Slot* slot = FindSlot(key.str(), hash))
            return slot->value;
        if (2 * (m_used + 1) > m_cells.size())
            Rebuild(m_count + 1);
        Slot& slot = m_slots.emplace_back(key, hash);
        Place(m_slots.size() - 1);
        ++m_count;
        return slot.value;
    }
    // Adds key at the head of its bucket, or changes its value in place.
    void SetAt(const CString& key, Value value) { (*this)[key] = std::move(value); }
    // The entry's cell stays, marking its place in the probe sequences, until the table is
    // rebuilt.
    BOOL RemoveKey(const CString& key) {
        Slot* slot = FindSlot(key.str(), Hash(key.str()));
        if (!slot)
            return FALSE;
        slot->removed = true;
        slot->value = Value{};
        --m_count;
        if (m_slots.size() > 2 * m_count + kSlack)
            Compact();
        return TRUE;
    }
    void RemoveAll() {
        m_cells.clear();
        m_slots.clear();
        m_count = 0;
        m_used = 0;
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
        std::vector<Slot*> ordered(m_count);
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
    static constexpr size_t kMinCells = 16;
    static constexpr size_t kNowhere = static_cast<size_t>(-1);

    // Many maps hold a slot per net of a large design: the slot keeps its bucket number in a
    // byte.
    struct Slot {
        Slot(const CString& name, size_t keyHash)
            : key(name),
              hash(static_cast<uint32_t>(keyHash)),
              bucket(static_cast<uint8_t>(HashMapKey(name.c_str()) % kBuckets)) {}

        CString key;
        Value value{};
        uint32_t hash;   // of the look-up table
        uint8_t bucket;  // of the framework's order
        bool removed = false;
    };
    struct Cell {
        uint32_t place = 0;  // the entry's place in m_slots plus one; 0 for a free cell
        uint32_t hash = 0;   // the low half of the entry's hash
    };

    // The low half of the string hash: all a slot keeps.
    static size_t Hash(std::string_view key) {
        return static_cast<uint32_t>(std::hash<std::string_view>{}(key));
    }

    // The place in m_slots of the entry of key, or kNowhere.
    size_t FindPlace(std::string_view key, size_t hash) const {
        const size_t mask = m_cells.size() - 1;
        for (size_t i = hash & mask; !m_cells.empty() && m_cells[i].place; i = (i + 1) & mask) {
            const Cell& cell = m_cells[i];
            if (cell.hash != static_cast<uint32_t>(hash))
                continue;
            const Slot& slot = m_slots[cell.place - 1];
            if (!slot.removed && slot.key.str() == key)
                return cell.place - 1;
        }
        return kNowhere;
    }
    Slot* FindSlot(std::string_view key, size_t hash) {
        const size_t place = FindPlace(key, hash);
        return place == kNowhere ? nullptr : &m_slots[place];
    }
    const Slot* FindSlot(std::string_view key, size_t hash) const {
        const size_t place = FindPlace(key, hash);
        return place == kNowhere ? nullptr : &m_slots[place];
    }
    // Gives the entry at that place in m_slots the first free cell of its probe sequence.
    void Place(size_t place) {
        const size_t hash = m_slots[place].hash;
        const size_t mask = m_cells.size() - 1;
        size_t i = hash & mask;
        while (m_cells[i].place)
            i = (i + 1) & mask;
        m_cells[i] = Cell{static_cast<uint32_t>(place + 1), static_cast<uint32_t>(hash)};
        ++m_used;
    }
    // A table for at least keys entries, with the present entries placed again.
    void Rebuild(size_t keys) {
        size_t size = kMinCells;
        while (size < 2 * keys)
            size *= 2;
        m_cells.assign(size, Cell{});
        m_used = 0;
        for (size_t place = 0; place < m_slots.size(); ++place) {
            if (!m_slots[place].removed)
                Place(place);
        }
    }
    // Drops the removed entries' storage; the others keep their order.
    void Compact() {
        std::deque<Slot> kept;
        for (Slot& slot : m_slots) {
            if (!slot.removed)
                kept.push_back(std::move(slot));
        }
        m_slots = std::move(kept);
        Rebuild(m_count);
    }

    std::deque<Slot> m_slots;   // in the order added
    std::vector<Cell> m_cells;  // a power of two in size, or empty
    size_t m_count = 0;         // entries present
    size_t m_used = 0;          // cells naming an entry, removed ones included
};
