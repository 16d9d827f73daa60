#include "host/run/HostHandles.h"

#include <cstdlib>
#include <cstring>

#include "ResultCodes.h"

namespace oxhost {
namespace {

Handle HOSTAPI_CALL NewHandleProc(int32_t size) {
    return HostHandles::Instance().New(size);
}
void HOSTAPI_CALL DisposeHandleProc(Handle h) {
    HostHandles::Instance().Dispose(h);
}
int32_t HOSTAPI_CALL GetHandleSizeProc(Handle h) {
    return HostHandles::Instance().Size(h);
}
OSErr HOSTAPI_CALL SetHandleSizeProc(Handle h, int32_t size) {
    return HostHandles::Instance().SetSize(h, size);
}
void* HOSTAPI_CALL LockHandleProc(Handle h, Boolean) {
    return HostHandles::Instance().Lock(h);
}
void HOSTAPI_CALL UnlockHandleProc(Handle h) {
    HostHandles::Instance().Unlock(h);
}
void HOSTAPI_CALL RecoverSpaceProc(int32_t) {}

HandleProcs handleProcs = {
    kCurrentHandleProcsVersion, kCurrentHandleProcsCount, NewHandleProc,  DisposeHandleProc,
    GetHandleSizeProc,          SetHandleSizeProc,        LockHandleProc, UnlockHandleProc,
    RecoverSpaceProc,           DisposeHandleProc};

}  // namespace

HostHandles& HostHandles::Instance() {
    static HostHandles handles;
    return handles;
}

HandleProcs* HostHandles::Procs() {
    return &handleProcs;
}

Handle HostHandles::New(int32_t size) {
    if (size < 0) {
        return nullptr;
    }
    // One byte at least, so that an empty handle still has a data address.
    char* data = static_cast<char*>(std::calloc(size_t(size) + 1, 1));
    Record* record = static_cast<Record*>(std::malloc(sizeof(Record)));
    if (data == nullptr || record == nullptr) {
        std::free(data);
        std::free(record);
        return nullptr;
    }
    record->data = data;
    record->size = size;
    Handle handle = &record->data;
    records[handle] = record;
    return handle;
}

HostHandles::Record* HostHandles::Find(Handle handle) const {
    auto it = records.find(handle);
    return it == records.end() ? nullptr : it->second;
}

bool HostHandles::IsLive(Handle handle) const {
    return Find(handle) != nullptr;
}

void HostHandles::Dispose(Handle handle) {
    Record* record = Find(handle);
    if (record == nullptr) {
        return;
    }
    records.erase(handle);
    std::free(record->data);
    std::free(record);
}

int32_t HostHandles::Size(Handle handle) const {
    const Record* record = Find(handle);
    return record == nullptr ? 0 : record->size;
}

OSErr HostHandles::SetSize(Handle handle, int32_t size) {
    Record* record = Find(handle);
    if (record == nullptr) {
        return nilHandleErr;
    }
    if (size < 0) {
        return paramErr;
    }
    char* data = static_cast<char*>(std::realloc(record->data, size_t(size) + 1));
    if (data == nullptr) {
        return memFullErr;
    }
    if (size > record->size) {
        std::memset(data + record->size, 0, size_t(size - record->size) + 1);
    }
    record->data = data;
    record->size = size;
    return noErr;
}

void* HostHandles::Lock(Handle handle) {
    Record* record = Find(handle);
    return record == nullptr ? nullptr : record->data;
}

void HostHandles::Unlock(Handle) {}

}  // namespace oxhost
