// Memory handles the host hands to plug-ins through HandleProcs. A handle is
// the address of a record whose first field is the data address, so a
// plug-in may dereference it once. Handles outlive a single run (the
// parameters handle is kept between runs), so they live in one process-wide
// table; unknown handles are refused instead of being trusted.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "HandleProcs.h"

namespace oxhost {

class HostHandles {
public:
    static HostHandles& Instance();

    // The callback table to put in a FilterRecord.
    HandleProcs* Procs();

    Handle New(int32_t size);           // zero-filled; null when size < 0 or out of memory
    void Dispose(Handle handle);        // unknown or null: ignored
    int32_t Size(Handle handle) const;  // unknown or null: 0
    OSErr SetSize(Handle handle, int32_t size);
    void* Lock(Handle handle);
    void Unlock(Handle handle);
    bool IsLive(Handle handle) const;
    size_t LiveCount() const { return records.size(); }

private:
    struct Record {
        char* data;
        int32_t size;
    };
    Record* Find(Handle handle) const;

    std::unordered_map<Handle, Record*> records;
};

}  // namespace oxhost
