#include <unistd.h>

#include "PhysicalMemory.h"

namespace oxhost {

uint64_t PhysicalMemoryBytes() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageBytes = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageBytes <= 0) {
        return 0;
    }
    return uint64_t(pages) * uint64_t(pageBytes);
}

}  // namespace oxhost
