#include "support/HeapBytes.h"

#if defined(__SANITIZE_ADDRESS__)

// From the sanitizer's run-time library.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();

std::size_t HeapBytesInUse() {
    return __sanitizer_get_current_allocated_bytes();
}

#else

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

// The C library's own count (mallinfo) takes the freed chunks of its per-thread cache as in
// use, so what a list gave back could read as kept. operator new counts for itself instead.

namespace {

std::atomic<std::size_t> g_heldBytes{0};

// A chunk's size as the C library counts it: the usable bytes and the size field before them.
std::size_t ChunkBytes(void* memory) {
    return malloc_usable_size(memory) + sizeof(std::size_t);
}

}  // namespace

void* operator new(std::size_t size) {
    for (;;) {
        if (void* memory = std::malloc(size != 0 ? size : 1)) {
            g_heldBytes.fetch_add(ChunkBytes(memory), std::memory_order_relaxed);
            return memory;
        }
        std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
}

void operator delete(void* memory) noexcept {
    if (!memory)
        return;
    g_heldBytes.fetch_sub(ChunkBytes(memory), std::memory_order_relaxed);
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    operator delete(memory);
}

std::size_t HeapBytesInUse() {
    return g_heldBytes.load(std::memory_order_relaxed);
}

#endif
