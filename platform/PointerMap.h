#pragma once
// PointerMap: a map from object addresses to pointers for look-ups over many objects, such as
// every object of a large sheet. Like PointerSet it keeps its entries in one open-addressed
// table sized from the count expected, so filling it allocates once and a look-up reads one
// short run of neighbouring slots; entries can also be taken out. The null key is never
// stored.

#include <cstddef>
#include <cstdint>
#include <vector>

class PointerMap {
public:
    // Room for expected entries before the table grows.
    explicit PointerMap(std::size_t expected = 0);

    // Sets the value of key, adding the entry when there was none; nothing for a null key.
    void Set(const void* key, void* value);
    // The value of key; null when key has none.
    void* Get(const void* key) const;
    void Remove(const void* key);
    std::size_t GetCount() const { return m_count; }

private:
    struct Slot {
        const void* key;  // null for an empty slot
        void* value;
    };

    std::size_t SlotOf(const void* key) const;
    // The slot holding key, or the empty slot that ends its run.
    std::size_t Probe(const void* key) const;
    void Grow();

    std::vector<Slot> m_slots;  // the size is a power of two
    int m_shift = 0;            // 64 minus the log2 of the table size
    std::size_t m_count = 0;
};
