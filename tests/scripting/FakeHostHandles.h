// A host's memory handles for the tests: a HandleProcs block over a table
// that knows every handle it gave out, counts locks, and can be told to fail.
// One instance at a time; it frees whatever is left when it goes.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "HandleProcs.h"

namespace scripttest {

class FakeHostHandles {
public:
    FakeHostHandles();
    ~FakeHostHandles();
    FakeHostHandles(const FakeHostHandles&) = delete;
    FakeHostHandles& operator=(const FakeHostHandles&) = delete;

    HandleProcs* Procs() { return &procs_; }

    Handle New(int32_t size);
    void Dispose(Handle handle);
    int32_t Size(Handle handle) const;
    OSErr SetSize(Handle handle, int32_t size);
    bool IsLive(Handle handle) const { return records_.count(handle) != 0; }
    size_t LiveCount() const { return records_.size(); }
    // The data of a live handle.
    unsigned char* Data(Handle handle) const;

    bool failNew = false;
    OSErr setSizeResult = 0;  // non-zero: SetSize fails with it, changing nothing
    int locks = 0;
    int unlocks = 0;
    int unknownDisposals = 0;  // Dispose of a handle this table never gave out

private:
    struct Record {
        char* data;               // first: the handle is this field's address
        std::vector<char> bytes;  // one byte more than the size
    };
    std::map<Handle, std::unique_ptr<Record>> records_;
    HandleProcs procs_;
};

}  // namespace scripttest
