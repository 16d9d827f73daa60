// Conversions between memory handles and C strings. A string kept in a
// handle has no terminator; its length is the handle's size.
#pragma once

#include <cstdint>

#include "HandleProcs.h"

// Longest string a handle receives, in bytes.
constexpr int16_t kMaxHandleStringLength = 32767;

// Makes `text` an empty string by zeroing bytes 0 and 1; `text` has at least 2 bytes.
void ClearString(char* text);

// Bytes before the terminator, at most kMaxHandleStringLength; 0 for null.
int16_t BoundedLength(const char* text);

// Copies `count` bytes and returns the count; copies nothing and returns 0
// when an address is null or the count is not positive.
int32_t CopyBytes(void* destination, const void* source, int32_t count);

// Fills `buffer` (of `bufferSize` bytes) with the handle's bytes, truncated to
// bufferSize - 1 and terminated. A null handle gives an empty string whose
// first two bytes are zero (when the buffer has two).
void HandleToCString(const HandleProcs* procs, Handle handle, char* buffer, int32_t bufferSize);

// A new handle holding the string's bytes without the terminator (at most
// kMaxHandleStringLength of them); an empty string gives an empty handle.
// Null when out of memory or the new handle cannot be filled. The caller owns it.
Handle CStringToHandle(const HandleProcs* procs, const char* text);
