#pragma once
// PointerSet: a set of object addresses for membership tests over many objects, such as every
// object of a large sheet. The addresses live in one open-addressed table sized from the count
// expected, so filling it allocates once; the pointers are only compared, never followed, so a
// stale one may be looked up safely. The null pointer is never a member.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Prefetch.h"

class PointerSet {
public:
    // Room for expected members before the table grows.
    explicit PointerSet(std::size_t expected = 0);

    // Whether the pointer was added (false for null or a member).
    bool Insert(const void* pointer);
    bool Contains(const void* pointer) const;
    // Asks for the cache line of pointer's home slot, so that an insertion or test of it a few
    // steps later finds it at hand; walks over many pointers ask a few pointers ahead.
    void Fetch(const void* pointer) const { FetchLine(&m_slots[SlotOf(pointer)]); }
    std::size_t GetCount() const { return m_count; }

private:
    std::size_t SlotOf(const void* pointer) const;
    void Grow();

    std::vector<const void*> m_slots;  // null marks an empty slot; the size is a power of two
    int m_shift = 0;                   // 64 minus the log2 of the table size
    std::size_t m_count = 0;
};
