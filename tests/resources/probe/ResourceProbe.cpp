// A module with embedded resources for the resource tests: it hands out its
// own resources through the module-side lookup, and has a trivial entry
// point so that the host can load it as a filter.
#include <cstdint>

#include "bridge/ModuleResources.h"
#include "hostapi/PluginEntry.h"

extern "C" __attribute__((visibility("default"))) int ProbeLoadResource(const char* type, int id,
                                                                        const unsigned char** data,
                                                                        size_t* size) {
    ResourceBytes resource = LoadModuleResource(type, id);
    *data = resource.data;
    *size = resource.size;
    return resource.data != nullptr;
}

// Answers every call with result 0 and the selector plus 100 in the data slot.
extern "C" __attribute__((visibility("default"))) void ProbeEntry(int16_t selector, void*,
                                                                  intptr_t* data, int16_t* result) {
    *data = selector + 100;
    *result = 0;
}
