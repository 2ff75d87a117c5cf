#include "platform/PointerSet.h"

#include <bit>

namespace {

constexpr std::size_t kMinSlots = 16;

// A table at most three quarters full: small enough to stay in the caches longer, with short
// runs of neighbouring slots to probe.
bool IsTooFull(std::size_t members, std::size_t slots) {
    return 4 * members > 3 * slots;
}

std::size_t SlotsFor(std::size_t members) {
    std::size_t slots = kMinSlots;
    while (IsTooFull(members, slots))
        slots *= 2;
    return slots;
}

}  // namespace

PointerSet::PointerSet(std::size_t expected)
    : m_slots(SlotsFor(expected), nullptr), m_shift(64 - std::countr_zero(m_slots.size())) {}

// Fibonacci hashing: the multiplication spreads the address bits into the top bits taken.
std::size_t PointerSet::SlotOf(const void* pointer) const {
    const auto address = reinterpret_cast<std::uintptr_t>(pointer);
    return static_cast<std::size_t>((std::uint64_t{address} * 0x9E3779B97F4A7C15ull) >> m_shift);
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
    m_shift = 64 - std::countr_zero(m_slots.size());
    m_count = 0;
    for (const void* pointer : old) {
        if (pointer)
            Insert(pointer);
    }
}
