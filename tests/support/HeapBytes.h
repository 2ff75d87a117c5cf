#pragma once
// The bytes the program holds on the heap: as asked for under the address sanitizer, as the C
// library counts them (with its own overhead) otherwise. Differences of two readings measure
// what a piece of code keeps.

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer's run-time library.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

inline std::size_t HeapBytesInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}
