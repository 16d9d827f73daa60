// The readers and writers that plug-ins hold as opaque tokens. A token is the
// address of the host's state for it; tokens the host did not hand out, or
// has closed, are refused instead of being trusted. Like the handles, the
// tokens are process-wide because the callbacks carry no context.
#pragma once

#include <map>
#include <memory>
#include <set>

#include "Descriptors.h"
#include "host/scripting/Descriptor.h"
#include "host/scripting/DescriptorReader.h"

namespace oxhost {

class DescriptorTokens {
public:
    static DescriptorTokens& Instance();

    PIReadDescriptor OpenReader(Descriptor descriptor, const DescriptorKeyID* expectedKeys);
    // The reader of a token, or null for a token not open.
    DescriptorReader* Reader(PIReadDescriptor token);
    // Forgets the reader; false for a token not open.
    bool CloseReader(PIReadDescriptor token);

    PIWriteDescriptor OpenWriter();
    // The descriptor being written under a token, or null for a token not open.
    Descriptor* Writer(PIWriteDescriptor token);
    // Ends the writer and gives its descriptor; false for a token not open.
    bool TakeWriter(PIWriteDescriptor token, Descriptor& written);

    size_t OpenReaders() const { return readers.size(); }
    size_t OpenWriters() const { return writers.size(); }
    // Forgets readers and writers a plug-in left open.
    void DiscardAll();

    // The handles that closing writers handed out since the log was cleared,
    // so that the host can tell a descriptor a plug-in handed back from one
    // it put into the block itself, even when the address was reused.
    void NoteHandedOut(Handle descriptor) { handedOut.insert(descriptor); }
    bool WasHandedOut(Handle descriptor) const { return handedOut.count(descriptor) != 0; }
    void ClearHandedOut() { handedOut.clear(); }

private:
    std::map<PIReadDescriptor, std::unique_ptr<DescriptorReader>> readers;
    std::map<PIWriteDescriptor, std::unique_ptr<Descriptor>> writers;
    std::set<Handle> handedOut;
};

}  // namespace oxhost
