// Owns one host handle (HostHandles) and disposes it unless released.
#pragma once

#include "HostTypes.h"
#include "host/run/HostHandles.h"

namespace oxhost {

class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    ~OwnedHandle() { Reset(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    Handle Get() const { return handle_; }
    // Where a callee may store a new handle; the old one is disposed first.
    Handle* Receive() {
        Reset();
        return &handle_;
    }
    // Hands the handle over to the caller.
    Handle Release() {
        Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }
    void Reset(Handle handle = nullptr) {
        if (handle_ != nullptr) {
            HostHandles::Instance().Dispose(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

}  // namespace oxhost
