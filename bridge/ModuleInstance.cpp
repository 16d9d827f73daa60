#include "ModuleInstance.h"

#include "SPAccessSuite.h"
#include "ScopedSuite.h"

namespace {

void*& Cache() {
    static void* cache = OwnModuleInstance();
    return cache;
}

}  // namespace

void ResetModuleInstanceCache(void* instance) {
    Cache() = instance;
}

void* ModuleInstance(void* pluginRef) {
    void*& cache = Cache();
    if (pluginRef == nullptr) {
        return cache;
    }
    ScopedSuite accessSuite(kSPAccessSuiteName, kSPAccessSuiteVersion);
    const SPAccessSuite* access = accessSuite.As<SPAccessSuite>();
    SPAccessRef accessRef = nullptr;
    if (access->GetPluginAccess(pluginRef, &accessRef) != kSPNoError || accessRef == nullptr) {
        return cache;
    }
    // The whole record: hosts write all of it, the access ticks included.
    SPPlatformAccessInfo info{nullptr, nullptr, 0};
    if (access->GetAccessInfo(accessRef, &info) != kSPNoError) {
        // This query failed; the module's own instance stays for later ones.
        return nullptr;
    }
    cache = info.resourceAccess != nullptr ? info.resourceAccess : info.defaultAccess;
    return cache;
}
