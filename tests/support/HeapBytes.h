#pragma once
// The bytes the program holds on the heap: as asked for under the address sanitizer, otherwise
// the chunks of the C library that operator new handed out and were not given back, each with
// its own overhead. Freed chunks that the C library keeps cached for the next allocation of
// their size do not count, so a difference of two readings measures what a piece of code keeps
// in every build, whatever the allocator held before.

#include <cstddef>

std::size_t HeapBytesInUse();
