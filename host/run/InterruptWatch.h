// Ctrl-C as the user's wish to stop: while a watch is alive, SIGINT only
// sets a flag that the filter's abort callback reads. A second Ctrl-C ends
// the program the ordinary way, in case the plug-in never asks again.
#pragma once

#include <csignal>

namespace oxhost {

class InterruptWatch {
public:
    InterruptWatch();
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    // True once Ctrl-C was pressed while a watch was alive.
    static bool Interrupted();

private:
    struct sigaction previousAction {};
};

}  // namespace oxhost
