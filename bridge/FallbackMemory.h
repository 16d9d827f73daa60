// Where the plug-in's own memory handles get their memory when the host
// offers no usable handle callbacks: the C library on Linux, the system's
// global memory on Windows, as a module there is expected to use.
#pragma once

#include <cstddef>

// A zero-filled block of `size` bytes, or null when out of memory.
void* FallbackAllocateZeroed(size_t size);
// Frees a block of FallbackAllocateZeroed; null is ignored.
void FallbackFree(void* block);
