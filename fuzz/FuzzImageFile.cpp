// Image files are the host's main input: any bytes must load as a document
// or be refused with a HostError, never crash or allocate without bound.
#include <cstddef>
#include <cstdint>

#include "FuzzInputFile.h"
#include "host/HostError.h"
#include "host/image/ImageFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The name has no meaning to the reader, which goes by the first bytes.
    const std::string& path = WriteFuzzInputFile(data, size, ".img");
    try {
        oxhost::InspectImageFile(path);
        oxhost::LoadImageFile(path);
    } catch (const oxhost::HostError&) {
    }
    return 0;
}
