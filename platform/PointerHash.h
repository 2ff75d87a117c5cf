#pragma once
// The sizing and hashing shared by the open-addressed tables keyed by object addresses
// (PointerSet, PointerMap): a power-of-two table at most three quarters full, so that it stays
// in the caches longer and the runs of neighbouring slots to probe stay short. Qt's headers
// make "slots" a keyword, so no name here is called that.

#include <bit>
#include <cstddef>
#include <cstdint>

namespace pointerhash {

constexpr std::size_t kMinSlots = 16;

inline bool IsTooFull(std::size_t entries, std::size_t tableSize) {
    return 4 * entries > 3 * tableSize;
}

// The slots of a table for entries.
inline std::size_t SlotsFor(std::size_t entries) {
    std::size_t tableSize = kMinSlots;
    while (IsTooFull(entries, tableSize))
        tableSize *= 2;
    return tableSize;
}

// The shift that takes a hash's top bits as a slot of a table of tableSize slots (a power of
// two).
inline int ShiftFor(std::size_t tableSize) {
    return 64 - std::countr_zero(tableSize);
}

// Fibonacci hashing: the multiplication spreads the address bits into the top bits taken.
inline std::size_t SlotOf(const void* key, int shift) {
    const auto address = reinterpret_cast<std::uintptr_t>(key);
    return static_cast<std::size_t>((std::uint64_t{address} * 0x9E3779B97F4A7C15ull) >> shift);
}

}  // namespace pointerhash
