#include <cstdlib>

#include "FallbackMemory.h"

void* FallbackAllocateZeroed(size_t size) {
    return std::calloc(size, 1);
}

void FallbackFree(void* block) {
    std::free(block);
}
