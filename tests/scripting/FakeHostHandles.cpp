#include "FakeHostHandles.h"

#include "ResultCodes.h"

namespace scripttest {
namespace {

FakeHostHandles* current = nullptr;

Handle NewProc(int32_t size) {
    return current->New(size);
}
void DisposeProc(Handle handle) {
    current->Dispose(handle);
}
int32_t GetSizeProc(Handle handle) {
    return current->Size(handle);
}
OSErr SetSizeProc(Handle handle, int32_t size) {
    return current->SetSize(handle, size);
}
void* LockProc(Handle handle, Boolean) {
    ++current->locks;
    return current->IsLive(handle) ? *handle : nullptr;
}
void UnlockProc(Handle) {
    ++current->unlocks;
}
void RecoverSpaceProc(int32_t) {}

}  // namespace

FakeHostHandles::FakeHostHandles()
    : procs_{kCurrentHandleProcsVersion,
             kCurrentHandleProcsCount,
             NewProc,
             DisposeProc,
             GetSizeProc,
             SetSizeProc,
             LockProc,
             UnlockProc,
             RecoverSpaceProc,
             DisposeProc} {
    current = this;
}

FakeHostHandles::~FakeHostHandles() {
    current = nullptr;
}

Handle FakeHostHandles::New(int32_t size) {
    if (failNew || size < 0) {
        return nullptr;
    }
    auto record = std::make_unique<Record>();
    record->bytes.assign(size_t(size) + 1, 0);
    record->data = record->bytes.data();
    Handle handle = &record->data;
    records_[handle] = std::move(record);
    return handle;
}

void FakeHostHandles::Dispose(Handle handle) {
    if (handle != nullptr && records_.erase(handle) == 0) {
        ++unknownDisposals;
    }
}

int32_t FakeHostHandles::Size(Handle handle) const {
    auto it = records_.find(handle);
    return it == records_.end() ? 0 : int32_t(it->second->bytes.size() - 1);
}

OSErr FakeHostHandles::SetSize(Handle handle, int32_t size) {
    auto it = records_.find(handle);
    if (it == records_.end()) {
        return nilHandleErr;
    }
    if (setSizeResult != noErr) {
        return setSizeResult;
    }
    it->second->bytes.resize(size_t(size) + 1, 0);
    it->second->data = it->second->bytes.data();
    return noErr;
}

unsigned char* FakeHostHandles::Data(Handle handle) const {
    auto it = records_.find(handle);
    return it == records_.end() ? nullptr : reinterpret_cast<unsigned char*>(it->second->data);
}

}  // namespace scripttest
