// Owners of the readers and writers the host's descriptor callbacks open, so
// that each one opened is closed exactly once. All require usable scripting
// callbacks (DescriptorProcsUsable).
#pragma once

#include "DescriptorHelpers.h"
#include "FilterRecord.h"
#include "MemoryHandles.h"
#include "ResultCodes.h"

// The reader of the block's replayed descriptor; closing it consumes the descriptor.
class ReplayReader {
public:
    ReplayReader(FilterRecord* record, DescriptorKeyID* keys)
        : record_(record),
          reader_(record->descriptorParameters->readDescriptorProcs->openReadDescriptorProc(
              record->descriptorParameters->descriptor, keys)) {}
    ~ReplayReader() {
        if (reader_ != nullptr) {
            CloseDescriptorReader(record_->descriptorParameters, record_->handleProcs, reader_);
        }
    }
    ReplayReader(const ReplayReader&) = delete;
    ReplayReader& operator=(const ReplayReader&) = delete;

    PIReadDescriptor Get() const { return reader_; }

private:
    FilterRecord* record_;
    PIReadDescriptor reader_;  // null when the host had nothing to read
};

// A reader of a nested descriptor (an object entry).
class NestedReader {
public:
    NestedReader(const ReadDescriptorProcs* procs, PIDescriptorHandle object, DescriptorKeyID* keys)
        : procs_(procs), reader_(procs->openReadDescriptorProc(object, keys)) {}
    ~NestedReader() { Close(); }
    NestedReader(const NestedReader&) = delete;
    NestedReader& operator=(const NestedReader&) = delete;

    PIReadDescriptor Get() const { return reader_; }
    // The host's result of the close; noErr when already closed.
    OSErr Close() {
        if (reader_ == nullptr) {
            return noErr;
        }
        const OSErr result = procs_->closeReadDescriptorProc(reader_);
        reader_ = nullptr;
        return result;
    }

private:
    const ReadDescriptorProcs* procs_;
    PIReadDescriptor reader_;
};

// The writer of the descriptor the host records; Close() hands it over.
class RecordWriter {
public:
    explicit RecordWriter(FilterRecord* record)
        : record_(record),
          writer_(record->descriptorParameters->writeDescriptorProcs->openWriteDescriptorProc()) {}
    ~RecordWriter() { Close(); }
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    PIWriteDescriptor Get() const { return writer_; }
    void Close() {
        if (writer_ != nullptr) {
            CloseDescriptorWriter(record_->descriptorParameters, record_->handleProcs, writer_);
        }
    }

private:
    FilterRecord* record_;
    PIWriteDescriptor writer_;  // null when the host refused to open one
};

// A writer of a nested descriptor. Close() yields the descriptor; a writer
// never closed is closed at the end of its scope and its result disposed of.
class NestedWriter {
public:
    NestedWriter(const WriteDescriptorProcs* procs, const HandleProcs* handleProcs)
        : procs_(procs), handleProcs_(handleProcs), writer_(procs->openWriteDescriptorProc()) {}
    ~NestedWriter() {
        PIDescriptorHandle unused = nullptr;
        Close(unused);
        if (unused != nullptr) {
            HandleDispose(handleProcs_, unused);
        }
    }
    NestedWriter(const NestedWriter&) = delete;
    NestedWriter& operator=(const NestedWriter&) = delete;

    PIWriteDescriptor Get() const { return writer_; }
    // The host's result of the close; `descriptor` receives the finished
    // descriptor, which then belongs to the caller.
    OSErr Close(PIDescriptorHandle& descriptor) {
        if (writer_ == nullptr) {
            return noErr;
        }
        const OSErr result = procs_->closeWriteDescriptorProc(writer_, &descriptor);
        writer_ = nullptr;
        return result;
    }

private:
    const WriteDescriptorProcs* procs_;
    const HandleProcs* handleProcs_;
    PIWriteDescriptor writer_;
};
