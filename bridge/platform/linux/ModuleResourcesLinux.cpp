// On Linux a module carries its resources as one container, written into the
// module's "oxres" section by the resource compiler (see ResourceBlob.h).
#include <cstdint>

#include "ResourceBlob.h"
#include "bridge/ModuleResources.h"

// Weak, so that a program that links the bridge without embedding resources
// (a unit test) still links, and simply has none.
extern "C" __attribute__((visibility("hidden"), weak)) const unsigned char oxEmbeddedResources[];
extern "C" __attribute__((visibility("hidden"), weak)) const unsigned long oxEmbeddedResourcesSize;

ResourceBytes LoadModuleResource(const char* type, int id) {
    ResourceBytes missing = {nullptr, 0};
    if (oxEmbeddedResources == nullptr || &oxEmbeddedResourcesSize == nullptr || id < 0) {
        return missing;
    }
    const unsigned char* data = nullptr;
    size_t size = 0;
    if (!oxres::FindResourceInBlob(oxEmbeddedResources, oxEmbeddedResourcesSize, type,
                                   static_cast<uint32_t>(id), &data, &size)) {
        return missing;
    }
    return ResourceBytes{data, size};
}
