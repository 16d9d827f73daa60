// The threads that read and write image files besides the calling one.
#pragma once

#include <cstddef>

namespace oxhost {

// How many threads image files are read and written with: the machine's
// cores, at most 4 (beyond that the disk and the filter dominate).
size_t ImageWorkerThreads();

// For a helper thread to call first: SIGINT and SIGTERM then go to the
// program's other threads, so Ctrl-C is handled where it was before there
// were helpers.
void BlockInterruptsOnThisThread();

}  // namespace oxhost
