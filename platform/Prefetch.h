#pragma once
// Asking ahead for memory that a walk will read shortly, so that fetches from objects lying
// apart overlap instead of waiting on one another.

#include <cstddef>

// Asks for the cache line holding the byte at address.
inline void FetchLine(const void* address) {
    __builtin_prefetch(address);
}

// Asks for every cache line of the size bytes at object.
inline void FetchLines(const void* object, std::size_t size) {
    constexpr std::size_t kLine = 64;
    const auto* bytes = static_cast<const char*>(object);
    for (std::size_t offset = 0; offset < size; offset += kLine)
        FetchLine(bytes + offset);
}
