#include <windows.h>

#include "PhysicalMemory.h"

namespace oxhost {

uint64_t PhysicalMemoryBytes() {
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) {
        return 0;
    }
    return uint64_t(status.ullTotalPhys);
}

}  // namespace oxhost
