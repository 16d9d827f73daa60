// On Windows the module is named by the instance handle the loader passes to
// DllMain; resources are loaded from it by number.
#include <windows.h>

#include "ModuleInstance.h"

namespace {
HINSTANCE ownInstance = nullptr;
}

void* OwnModuleInstance() {
    return ownInstance;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
        case DLL_THREAD_ATTACH:
            ownInstance = instance;
            ResetModuleInstanceCache(instance);
            break;
        case DLL_PROCESS_DETACH:
            ResetModuleInstanceCache(nullptr);
            break;
        default:
            // A host thread that ends takes nothing of ours with it: the
            // module stays loaded, so its instance stays valid.
            break;
    }
    return TRUE;
}
