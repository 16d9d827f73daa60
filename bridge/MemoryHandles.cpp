#include "MemoryHandles.h"

#include "FallbackMemory.h"
#include "ResultCodes.h"

namespace {

int16_t lastMemoryError = noErr;

FallbackHandle* RecordOf(Handle handle) {
    return reinterpret_cast<FallbackHandle*>(handle);
}

// The record behind one of our own handles, or null (and nilHandleErr) for a
// null handle or one that does not carry our signature and a data block.
FallbackHandle* KnownRecord(Handle handle) {
    FallbackHandle* record = RecordOf(handle);
    if (record == nullptr || record->signature != kFallbackHandleSignature ||
        record->data == nullptr) {
        lastMemoryError = nilHandleErr;
        return nullptr;
    }
    return record;
}

Handle FallbackNew(int32_t size) {
    lastMemoryError = noErr;
    if (size < 0) {
        lastMemoryError = memFullErr;
        return nullptr;
    }
    auto* record = static_cast<FallbackHandle*>(FallbackAllocateZeroed(sizeof(FallbackHandle)));
    // One byte at least, so that an empty handle still has a data address.
    char* data = static_cast<char*>(FallbackAllocateZeroed(size > 0 ? size_t(size) : 1));
    if (record == nullptr || data == nullptr) {
        FallbackFree(record);
        FallbackFree(data);
        lastMemoryError = memFullErr;
        return nullptr;
    }
    record->data = data;
    record->signature = kFallbackHandleSignature;
    record->size = size;
    return &record->data;
}

void FallbackDispose(Handle handle) {
    lastMemoryError = noErr;
    FallbackHandle* record = KnownRecord(handle);
    if (record == nullptr) {
        return;
    }
    FallbackFree(record->data);
    record->signature = 0;
    FallbackFree(record);
}

int32_t FallbackGetSize(Handle handle) {
    lastMemoryError = noErr;
    const FallbackHandle* record = KnownRecord(handle);
    return record == nullptr ? 0 : record->size;
}

}  // namespace

bool HandleProcsUsable(const HandleProcs* procs, bool* hostBlockNewer) {
    if (procs == nullptr || procs->handleProcsVersion < kCurrentHandleProcsVersion) {
        return false;
    }
    if (procs->handleProcsVersion > kCurrentHandleProcsVersion) {
        if (hostBlockNewer != nullptr) {
            *hostBlockNewer = true;
        }
        return false;
    }
    return uint16_t(procs->numHandleProcs) >= kCurrentHandleProcsCount &&
           procs->newProc != nullptr && procs->disposeProc != nullptr &&
           procs->getSizeProc != nullptr && procs->setSizeProc != nullptr;
}

Handle HandleNew(const HandleProcs* procs, int32_t size) {
    if (HandleProcsUsable(procs)) {
        return procs->newProc(size);
    }
    return FallbackNew(size);
}

void HandleDispose(const HandleProcs* procs, Handle handle) {
    if (!HandleProcsUsable(procs)) {
        FallbackDispose(handle);
    } else if (handle != nullptr) {
        procs->disposeProc(handle);
    }
}

int32_t HandleGetSize(const HandleProcs* procs, Handle handle) {
    if (!HandleProcsUsable(procs)) {
        return FallbackGetSize(handle);
    }
    return handle != nullptr ? procs->getSizeProc(handle) : 0;
}

void* HandleLock(const HandleProcs* procs, Handle handle, bool moveHigh) {
    if (handle == nullptr) {
        return nullptr;
    }
    // Our own handles never move; a host without lockProc lets a plug-in
    // dereference a handle once.
    if (!HandleProcsUsable(procs) || procs->lockProc == nullptr) {
        return *handle;
    }
    return procs->lockProc(handle, moveHigh);
}

void HandleUnlock(const HandleProcs* procs, Handle handle) {
    if (handle != nullptr && HandleProcsUsable(procs) && procs->unlockProc != nullptr) {
        procs->unlockProc(handle);
    }
}

int16_t LastMemoryError() {
    return lastMemoryError;
}
