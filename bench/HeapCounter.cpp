// Replaces the global operator new and delete to count the bytes in use and
// their peak. Single-threaded programs only (the counters are plain).
#include "HeapCounter.h"

#include <malloc.h>

#include <cstdlib>
#include <new>

namespace {

unsigned long long inUse = 0;
unsigned long long peak = 0;

void* Allocate(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    inUse += malloc_usable_size(block);
    if (inUse > peak) {
        peak = inUse;
    }
    return block;
}

void Release(void* block) {
    if (block != nullptr) {
        inUse -= malloc_usable_size(block);
        std::free(block);
    }
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}

void* operator new[](std::size_t size) {
    return Allocate(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void operator delete(void* block) noexcept {
    Release(block);
}

void operator delete[](void* block) noexcept {
    Release(block);
}

void operator delete(void* block, std::size_t) noexcept {
    Release(block);
}

void operator delete[](void* block, std::size_t) noexcept {
    Release(block);
}

namespace oxbench {

HeapPeak::HeapPeak() : start(inUse) {
    peak = inUse;
}

double HeapPeak::Megabytes() const {
    return double(peak - start) / 1048576.0;
}

}  // namespace oxbench
