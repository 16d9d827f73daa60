// A host's scripting descriptors for the tests. A descriptor is a list of
// (key, type, value) entries kept beside a handle of FakeHostHandles, so the
// code under test disposes of descriptors through the same handle procs.
// Readers and writers are counted so tests can check each one is closed.
// One instance at a time, created after the FakeHostHandles it uses.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Descriptors.h"
#include "FakeHostHandles.h"

namespace scripttest {

struct Entry {
    DescriptorKeyID key = 0;
    DescriptorTypeID type = 0;
    int32_t integer = 0;
    Boolean boolean = 0;
    std::string text;
    DescriptorClassID objectClass = 0;
    std::vector<Entry> object;

    static Entry Integer(DescriptorKeyID key, int32_t value) {
        return {key, typeInteger, value, 0, {}, 0, {}};
    }
    static Entry Bool(DescriptorKeyID key, Boolean value) {
        return {key, typeBoolean, 0, value, {}, 0, {}};
    }
    static Entry Text(DescriptorKeyID key, const std::string& text) {
        return {key, typeText, 0, 0, text, 0, {}};
    }
    static Entry Object(DescriptorKeyID key, DescriptorClassID objectClass,
                        const std::vector<Entry>& entries) {
        return {key, typeObject, 0, 0, {}, objectClass, entries};
    }
    // A value of a type Tintflood never reads.
    static Entry Float(DescriptorKeyID key) { return {key, typeFloat, 0, 0, {}, 0, {}}; }
};

using Entries = std::vector<Entry>;

class FakeDescriptorHost {
public:
    explicit FakeDescriptorHost(FakeHostHandles& handles);
    ~FakeDescriptorHost();
    FakeDescriptorHost(const FakeDescriptorHost&) = delete;
    FakeDescriptorHost& operator=(const FakeDescriptorHost&) = delete;

    // The block to put in a FilterRecord: version 0, playInfo 0, no descriptor.
    PIDescriptorParameters* Parameters() { return &parameters; }

    // A new descriptor handle holding `entries`, as a replaying host gives one.
    Handle MakeDescriptor(const Entries& entries);
    // The entries of a live descriptor handle; empty for any other handle.
    Entries EntriesOf(Handle descriptor) const;
    bool IsDescriptor(Handle handle) const;

    PIDescriptorParameters parameters;
    ReadDescriptorProcs readProcs;
    WriteDescriptorProcs writeProcs;

    // What the code under test did.
    std::vector<std::vector<DescriptorKeyID>> keyLists;  // given to each open, in order
    int readersOpened = 0;
    int readersClosed = 0;
    int writersOpened = 0;
    int writersClosed = 0;

    // Failures to inject.
    bool refuseReaders = false;
    bool refuseNestedReaders = false;  // readers on object handles only
    bool refuseWriters = false;
    int writersToOpenBeforeRefusing = -1;  // -1: never refuse by count
    OSErr putObjectResult = 0;
    OSErr closeWriterResult = 0;
    bool giveNoText = false;
    bool giveNoObject = false;

    // Called by the callbacks.
    struct Reader {
        Entries entries;
        size_t next = 0;
        const Entry* current = nullptr;
    };
    struct Writer {
        Entries entries;
    };
    FakeHostHandles& handles;
    std::map<Handle, Entries> descriptors;
    std::map<Reader*, std::unique_ptr<Reader>> openReaders;
    std::map<Writer*, std::unique_ptr<Writer>> openWriters;
};

}  // namespace scripttest
