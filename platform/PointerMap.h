#pragma once
// PointerMap: a map from object addresses to pointers for look-ups over many objects, such as
// every object of a large sheet. Like PointerSet it keeps its entries in one open-addressed
// table sized from the count expected, so filling it allocates once and a look-up reads one
// short run of neighbouring slots; entries can also be taken out. The null key is never
// stored.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/PointerHash.h"
#include "platform/Prefetch.h"

class PointerMap {
public:
    // Room for expected entries before the table grows.
    explicit PointerMap(std::size_t expected = 0);

    // Sets the value of key, adding the entry when there was none; nothing for a null key.
    void Set(const void* key, void* value);
    // The value of key; null when key has none.
    void* Get(const void* key) const;
    void Remove(const void* key);
    // Asks for the cache line of key's home slot, so that a look-up or change of key a few
    // steps later finds it at hand; walks over many keys ask a few keys ahead.
    void Fetch(const void* key) const { FetchLine(&m_slots[SlotOf(key)]); }
    std::size_t GetCount() const { return m_count; }

private:
    struct Slot {
        const void* key;  // null for an empty slot
        void* value;
    };

    std::size_t SlotOf(const void* key) const { return pointerhash::SlotOf(key, m_shift); }
    // The slot holding key, or the empty slot that ends its run.
    std::size_t Probe(const void* key) const;
    void Grow();

    std::vector<Slot> m_slots;  // the size is a power of two
    int m_shift = 0;            // 64 minus the log2 of the table size
    std::size_t m_count = 0;
};
