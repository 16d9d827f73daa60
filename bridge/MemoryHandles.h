// Memory handles through the host's HandleProcs, or through handles of the
// module's own when the host offers no usable block. Within one run every
// call gets the same block, so host handles and own handles never meet.
// A null handle is safe everywhere: it is ignored, sized 0 and locks to null.
#pragma once

#include <cstdint>

#include "HandleProcs.h"

// True for a block of version 1 with at least 8 callbacks and non-null
// newProc, disposeProc, getSizeProc and setSizeProc. A block of a later
// version is unusable and sets *hostBlockNewer (when given) to true.
bool HandleProcsUsable(const HandleProcs* procs, bool* hostBlockNewer = nullptr);

// A new zero-filled handle of `size` bytes (a size of 0 gives a valid, empty
// handle), or null when out of memory or the size is negative.
Handle HandleNew(const HandleProcs* procs, int32_t size);
void HandleDispose(const HandleProcs* procs, Handle handle);
// Data size in bytes; 0 for a null or unknown handle.
int32_t HandleGetSize(const HandleProcs* procs, Handle handle);
// Address of the data, stable until HandleUnlock; null for a null handle.
void* HandleLock(const HandleProcs* procs, Handle handle, bool moveHigh);
void HandleUnlock(const HandleProcs* procs, Handle handle);

// Result of the last operation on the module's own handles: noErr,
// memFullErr (-108) or nilHandleErr (-109). Host operations leave it alone.
int16_t LastMemoryError();

// The module's own handle: the address of this record. Its first word is the
// data address, so a handle can be dereferenced once like a host handle.
struct FallbackHandle {
    char* data;
    uint32_t signature;  // kFallbackHandleSignature
    int32_t size;        // of the data block
};
constexpr uint32_t kFallbackHandleSignature = 0x464F544F;  // 'FOTO'

// Owns a handle and disposes of it at the end of its scope unless Release()d.
class OwnedHandle {
public:
    OwnedHandle(const HandleProcs* procs, Handle handle) : procs_(procs), handle_(handle) {}
    ~OwnedHandle() {
        if (handle_ != nullptr) {
            HandleDispose(procs_, handle_);
        }
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    Handle Get() const { return handle_; }
    // Gives the handle up without disposing of it.
    Handle Release() {
        Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }

private:
    const HandleProcs* procs_;
    Handle handle_;
};

// Keeps a handle locked for the length of its scope. The unlock happens even
// when the lock yielded no address.
class LockedHandle {
public:
    LockedHandle(const HandleProcs* procs, Handle handle)
        : procs_(procs), handle_(handle), data_(HandleLock(procs, handle, false)) {}
    ~LockedHandle() { HandleUnlock(procs_, handle_); }
    LockedHandle(const LockedHandle&) = delete;
    LockedHandle& operator=(const LockedHandle&) = delete;

    void* Data() const { return data_; }

private:
    const HandleProcs* procs_;
    Handle handle_;
    void* data_;
};
