#include "platform/PointerMap.h"

using pointerhash::IsTooFull;
using pointerhash::ShiftFor;
using pointerhash::SlotsFor;

PointerMap::PointerMap(std::size_t expected)
    : m_slots(SlotsFor(expected), Slot{nullptr, nullptr}), m_shift(ShiftFor(m_slots.size())) {}

std::size_t PointerMap::Probe(const void* key) const {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = SlotOf(key);
    while (m_slots[slot].key && m_slots[slot].key != key)
        slot = (slot + 1) & mask;
    return slot;
}

void PointerMap::Set(const void* key, void* value) {
    if (!key)
        return;
    if (IsTooFull(m_count + 1, m_slots.size()))
        Grow();
    Slot& slot = m_slots[Probe(key)];
    if (!slot.key) {
        slot.key = key;
        ++m_count;
    }
    slot.value = value;
}

void* PointerMap::Get(const void* key) const {
    return key ? m_slots[Probe(key)].value : nullptr;
}

// The entries after the removed one in its run move back, each no further than its home slot,
// so that every run stays unbroken.
void PointerMap::Remove(const void* key) {
    if (!key)
        return;
    const std::size_t mask = m_slots.size() - 1;
    std::size_t hole = Probe(key);
    if (!m_slots[hole].key)
        return;
    --m_count;
    for (std::size_t next = (hole + 1) & mask; m_slots[next].key; next = (next + 1) & mask) {
        const std::size_t home = SlotOf(m_slots[next].key);
        // The entry may fill the hole when its home does not lie after the hole (cyclically)
        // up to where it stands.
        if (((next - home) & mask) >= ((next - hole) & mask)) {
            m_slots[hole] = m_slots[next];
            hole = next;
        }
    }
    m_slots[hole] = Slot{nullptr, nullptr};
}

void PointerMap::Grow() {
    std::vector<Slot> old(2 * m_slots.size(), Slot{nullptr, nullptr});
    old.swap(m_slots);
    m_shift = ShiftFor(m_slots.size());
    m_count = 0;
    for (const Slot& slot : old) {
        if (slot.key)
            Set(slot.key, slot.value);
    }
}
