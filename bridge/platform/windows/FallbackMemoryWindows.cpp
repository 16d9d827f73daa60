#include <windows.h>

#include "FallbackMemory.h"

void* FallbackAllocateZeroed(size_t size) {
    // GPTR: fixed memory, zero-initialised; the handle is the address.
    return GlobalAlloc(GPTR, size);
}

void FallbackFree(void* block) {
    if (block != nullptr) {
        GlobalFree(block);
    }
}
