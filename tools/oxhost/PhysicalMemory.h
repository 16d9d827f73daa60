// How much memory the machine has, for the default size of image a run takes.
#pragma once

#include <cstdint>

namespace oxhost {

// The machine's physical memory in bytes; 0 when the system does not say.
uint64_t PhysicalMemoryBytes();

}  // namespace oxhost
