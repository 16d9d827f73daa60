// Two-stage pipeline for a decoder that can only go through a file in order:
// one thread decodes bands of rows into a few buffers while the calling
// thread takes them out (into a document that grows as they come, and
// reports progress), so the two stages overlap on two cores.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace oxhost {

// Calls `produce(band, buffer)` for bands 0 to count - 1 in order, on one
// other thread when the machine has more than one core, and
// `consume(band, buffer)` for each on the calling thread in the same order;
// `slots` buffers of `bandBytes` bytes pass between them. The first
// exception thrown by either stops both (the producer after its current
// band) and is rethrown. The
// producer thread blocks interrupts (BlockInterruptsOnThisThread).
void RunBandPipeline(size_t count, size_t slots, size_t bandBytes,
                     const std::function<void(size_t band, uint8_t* buffer)>& produce,
                     const std::function<void(size_t band, const uint8_t* buffer)>& consume);

}  // namespace oxhost
