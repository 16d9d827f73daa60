#include "HandleStrings.h"

#include <cstring>

#include "MemoryHandles.h"

void ClearString(char* text) {
    text[0] = 0;
    text[1] = 0;
}

int16_t BoundedLength(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    int16_t length = 0;
    while (length < kMaxHandleStringLength && text[length] != 0) {
        ++length;
    }
    return length;
}

int32_t CopyBytes(void* destination, const void* source, int32_t count) {
    if (destination == nullptr || source == nullptr || count <= 0) {
        return 0;
    }
    std::memcpy(destination, source, size_t(count));
    return count;
}

void HandleToCString(const HandleProcs* procs, Handle handle, char* buffer, int32_t bufferSize) {
    if (buffer == nullptr || bufferSize <= 0) {
        return;
    }
    if (bufferSize >= 2) {
        ClearString(buffer);
    } else {
        buffer[0] = 0;
    }
    if (handle == nullptr) {
        return;
    }
    LockedHandle locked(procs, handle);
    if (locked.Data() == nullptr) {
        return;
    }
    // Compared unsigned, so that a negative size from the host is clamped too.
    uint32_t count = uint32_t(HandleGetSize(procs, handle));
    const uint32_t capacity = uint32_t(bufferSize - 1);
    if (count >= capacity) {
        count = capacity;
    }
    CopyBytes(buffer, locked.Data(), int32_t(count));
    buffer[count] = 0;
}

Handle CStringToHandle(const HandleProcs* procs, const char* text) {
    const int16_t length = BoundedLength(text);
    OwnedHandle handle(procs, HandleNew(procs, length));
    if (handle.Get() == nullptr) {
        return nullptr;
    }
    if (length > 0) {
        LockedHandle locked(procs, handle.Get());
        // A handle that cannot take the bytes would pass zeros off as the text.
        if (locked.Data() == nullptr) {
            return nullptr;
        }
        CopyBytes(locked.Data(), text, length);
    }
    return handle.Release();
}
