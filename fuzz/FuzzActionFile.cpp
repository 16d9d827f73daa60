// Action files are JSON a person may edit: any bytes must either load or be
// refused with a HostError, and what loads must survive its own JSON form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzInputFile.h"
#include "host/HostError.h"
#include "host/scripting/ActionFile.h"
#include "host/scripting/DescriptorJson.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    oxhost::RecordedAction action;
    try {
        action = oxhost::LoadActionFile(WriteFuzzInputFile(data, size, ".json"));
    } catch (const oxhost::HostError&) {
        return 0;  // refused, as a damaged file should be
    }
    nlohmann::ordered_json entries;
    try {
        entries = oxhost::DescriptorToJson(action.descriptor);
    } catch (const oxhost::DescriptorJsonError&) {
        return 0;  // a number JSON cannot hold (read from a hex-coded value)
    }
    if (!(oxhost::DescriptorFromJson(entries) == action.descriptor)) {
        std::abort();  // saving this action and loading it again would change it
    }
    return 0;
}
