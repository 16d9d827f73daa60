#include "host/scripting/DescriptorReader.h"

#include <utility>

#include "ResultCodes.h"

namespace oxhost {

DescriptorReader::DescriptorReader(Descriptor descriptor, const DescriptorKeyID* expectedKeys)
    : descriptor(std::move(descriptor)) {
    for (const DescriptorKeyID* key = expectedKeys; key != nullptr && *key != 0; ++key) {
        expected.push_back(*key);
    }
    seen.assign(expected.size(), false);
}

bool DescriptorReader::NextKey(DescriptorKeyID& key, DescriptorTypeID& type) {
    if (next >= descriptor.entries.size()) {
        current = nullptr;
        return false;
    }
    current = &descriptor.entries[next++];
    key = current->key;
    type = TypeCodeOf(current->kind);
    for (size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] == key) {
            seen[i] = true;
        }
    }
    return true;
}

OSErr DescriptorReader::CloseResult() const {
    for (bool found : seen) {
        if (!found) {
            return kDescriptorKeyMissing;
        }
    }
    return noErr;
}

}  // namespace oxhost
