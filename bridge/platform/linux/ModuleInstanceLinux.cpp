// On Linux a module is named by its load address, which every symbol of it
// can tell.
#include <dlfcn.h>

#include "ModuleInstance.h"

void* OwnModuleInstance() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&OwnModuleInstance), &info) == 0) {
        return nullptr;
    }
    return info.dli_fbase;
}
