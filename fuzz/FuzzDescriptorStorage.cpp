// Descriptor bytes come back from plug-ins, which may have damaged the handle:
// any bytes must decode or be refused, and bytes that decode are exactly the
// encoding of what they decode to (one descriptor, nothing trailing).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "host/scripting/DescriptorStorage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    oxhost::Descriptor descriptor;
    if (!oxhost::DecodeDescriptor(data, size, descriptor)) {
        return 0;
    }
    if (oxhost::EncodeDescriptor(descriptor) != std::vector<uint8_t>(data, data + size)) {
        std::abort();
    }
    return 0;
}
