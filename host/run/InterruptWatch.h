// Ctrl-C as the user's wish to stop: while a watch is alive, Ctrl-C only
// sets a flag that the filter's abort callback reads. A second Ctrl-C ends
// the program the ordinary way, in case the plug-in never asks again.
// SIGINT on Linux, the console's control handler on Windows.
#pragma once

namespace oxhost {

// One watch at a time; it restores the previous handling when it ends.
class InterruptWatch {
public:
    InterruptWatch();
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    // True once Ctrl-C was pressed while a watch was alive.
    static bool Interrupted();
};

}  // namespace oxhost
