// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeapPeak.h"

#include <atomic>
#include <cerrno>
#include <malloc.h>

// The C library's own allocator, under the names it exports for programs that wrap it.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* pointer);
}

namespace {

std::atomic<std::size_t> taken{0};
std::atomic<std::size_t> peak{0};
std::atomic<std::size_t> base{0};

void add(void* pointer)
{
    if (!pointer)
        return;
    const std::size_t now = taken += malloc_usable_size(pointer);
    std::size_t highest = peak.load();
    while (now > highest && !peak.compare_exchange_weak(highest, now)) {
    }
}

void remove(void* pointer)
{
    if (pointer)
        taken -= malloc_usable_size(pointer);
}

} // namespace

extern "C" {

void* malloc(std::size_t size)
{
    void* pointer = __libc_malloc(size);
    add(pointer);
    return pointer;
}

void* calloc(std::size_t count, std::size_t size)
{
    void* pointer = __libc_calloc(count, size);
    add(pointer);
    return pointer;
}

void* realloc(void* pointer, std::size_t size)
{
    const std::size_t before = pointer ? malloc_usable_size(pointer) : 0;
    void* moved = __libc_realloc(pointer, size);
    if (moved || size == 0) {
        taken -= before;
        add(moved);
    }
    return moved;
}

void free(void* pointer)
{
    remove(pointer);
    __libc_free(pointer);
}

void* memalign(std::size_t alignment, std::size_t size)
{
    void* pointer = __libc_memalign(alignment, size);
    add(pointer);
    return pointer;
}

void* aligned_alloc(std::size_t alignment, std::size_t size)
{
    return memalign(alignment, size);
}

int posix_memalign(void** result, std::size_t alignment, std::size_t size)
{
    void* pointer = memalign(alignment, size);
    if (!pointer)
        return ENOMEM;
    *result = pointer;
    return 0;
}

} // extern "C"

namespace heap {

void resetPeak()
{
    base = taken.load();
    peak = base.load();
}

std::size_t peakGrowth()
{
    return peak.load() - base.load();
}

} // namespace heap
