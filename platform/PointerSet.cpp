#include "platform/PointerSet.h"

#include "platform/PointerHash.h"

using pointerhash::IsTooFull;
using pointerhash::ShiftFor;
using pointerhash::SlotsFor;

PointerSet::PointerSet(std::size_t expected)
    : m_slots(SlotsFor(expected), nullptr), m_shift(ShiftFor(m_slots.size())) {}

std::size_t PointerSet::SlotOf(const void* pointer) const {
    return pointerhash::SlotOf(pointer, m_shift);
}

bool PointerSet::Insert(const void* pointer) {
    if (!pointer)
        return false;
    if (IsTooFull(m_count + 1, m_slots.size()))
        Grow();
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = SlotOf(pointer);; slot = (slot + 1) & mask) {
        if (m_slots[slot] == pointer)
            return false;
        if (!m_slots[slot]) {
            m_slots[slot] = pointer;
            ++m_count;
            return true;
        }
    }
}

bool PointerSet::Contains(const void* pointer) const {
    if (!pointer)
        return false;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = SlotOf(pointer);; slot = (slot + 1) & mask) {
        if (m_slots[slot] == pointer)
            return true;
        if (!m_slots[slot])
            return false;
    }
}

void PointerSet::Grow() {
    std::vector<const void*> old(2 * m_slots.size(), nullptr);
    old.swap(m_slots);
    m_shift = ShiftFor(m_slots.size());
    m_count = 0;
    for (const void* pointer : old) {
        if (pointer)
            Insert(pointer);
    }
}
