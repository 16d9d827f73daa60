// Splits the work of reading or writing an image file into numbered pieces
// (strips, bands of rows) that run on every core, while what must happen in
// order (writing to the file, reporting progress) stays on the calling thread.
#pragma once

#include <cstddef>
#include <functional>

#include "host/image/ImageThreads.h"

namespace oxhost {

// `work(index, worker)` is called once for every index below `count`, on up
// to `threads` threads, the calling thread among them; `worker` (below
// `threads`) names the thread, so that each can keep scratch memory of its
// own. `consume(index)` is called on the calling thread once for every index,
// in increasing order, after that index's work; no work starts more than
// `window` indices ahead of the next one to consume, which bounds what waits
// in memory. The first exception thrown by either stops the loop: no new work
// starts, the other threads are joined and the exception is rethrown. The
// other threads block interrupts (BlockInterruptsOnThisThread).
void RunOrderedParallelLoop(size_t count, size_t threads, size_t window,
                            const std::function<void(size_t index, size_t worker)>& work,
                            const std::function<void(size_t index)>& consume);

}  // namespace oxhost
