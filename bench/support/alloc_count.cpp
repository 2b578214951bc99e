// Linked with -Wl,--wrap=malloc,--wrap=calloc,--wrap=realloc,--wrap=aligned_alloc:
// every object of the binary, the library's included, reaches these first.
#include "support/alloc_count.h"

#include <atomic>
#include <cstdlib>
#include <new>

extern "C" {
void* __real_malloc(std::size_t size);
void* __real_calloc(std::size_t count, std::size_t size);
void* __real_realloc(void* p, std::size_t size);
void* __real_aligned_alloc(std::size_t alignment, std::size_t size);
}

namespace {

std::atomic<std::uint64_t> count{0};

void note() { count.fetch_add(1, std::memory_order_relaxed); }

void* allocate(std::size_t size) {
    if (size == 0) size = 1;
    for (;;) {
        // Straight to the real malloc: one allocation is counted once.
        if (void* p = __real_malloc(size)) return p;
        const std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) throw std::bad_alloc();
        handler();
    }
}

void* allocate_aligned(std::size_t size, std::align_val_t alignment) {
    const auto a = static_cast<std::size_t>(alignment);
    // aligned_alloc wants a size that is a multiple of the alignment.
    const std::size_t rounded = (size + a - 1) / a * a;
    for (;;) {
        if (void* p = __real_aligned_alloc(a, rounded == 0 ? a : rounded)) return p;
        const std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) throw std::bad_alloc();
        handler();
    }
}

}  // namespace

namespace bench {

std::uint64_t allocations() { return count.load(std::memory_order_relaxed); }

}  // namespace bench

extern "C" {

void* __wrap_malloc(std::size_t size) {
    note();
    return __real_malloc(size);
}

void* __wrap_calloc(std::size_t count, std::size_t size) {
    note();
    return __real_calloc(count, size);
}

void* __wrap_realloc(void* p, std::size_t size) {
    note();
    return __real_realloc(p, size);
}

void* __wrap_aligned_alloc(std::size_t alignment, std::size_t size) {
    note();
    return __real_aligned_alloc(alignment, size);
}

}  // extern "C"

void* operator new(std::size_t size) {
    note();
    return allocate(size);
}

void* operator new[](std::size_t size) {
    note();
    return allocate(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    note();
    try {
        return allocate(size);
    } catch (...) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    note();
    try {
        return allocate(size);
    } catch (...) {
        return nullptr;
    }
}

void* operator new(std::size_t size, std::align_val_t alignment) {
    note();
    return allocate_aligned(size, alignment);
}

void* operator new[](std::size_t size, std::align_val_t alignment) {
    note();
    return allocate_aligned(size, alignment);
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
