// What the host keeps for one open reader: its own copy of the descriptor,
// the entry the plug-in is on, and the keys the plug-in said it expects.
#pragma once

#include <cstddef>
#include <vector>

#include "host/scripting/Descriptor.h"

namespace oxhost {

// What closing a reader returns when keys of its key list never came up,
// the scripting system's code for a missing parameter.
constexpr OSErr kDescriptorKeyMissing = -1715;

class DescriptorReader {
public:
    // `expectedKeys`: the plug-in's key list, ended by 0; may be null.
    DescriptorReader(Descriptor descriptor, const DescriptorKeyID* expectedKeys);

    // Moves to the next entry; false, with no current entry, past the last.
    bool NextKey(DescriptorKeyID& key, DescriptorTypeID& type);
    // The entry the last NextKey moved to, or null.
    const DescriptorEntry* Current() const { return current; }
    // noErr when every expected key came up, else kDescriptorKeyMissing.
    OSErr CloseResult() const;

private:
    Descriptor descriptor;
    std::vector<DescriptorKeyID> expected;
    std::vector<bool> seen;
    size_t next = 0;
    const DescriptorEntry* current = nullptr;
};

}  // namespace oxhost
