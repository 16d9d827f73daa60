// Ctrl-C (and a request to terminate) as the user's wish to stop: while a
// watch is alive, they only set a flag that the filter's abort callback and
// the host's own stages read, so that the run ends cleanly and writes
// nothing. A second one ends the program the ordinary way, in case nothing
// asks again. SIGINT and SIGTERM on Linux, the console's control handler on
// Windows.
#pragma once

#include <string>

namespace oxhost {

// One watch at a time; it restores the previous handling when it ends.
class InterruptWatch {
public:
    InterruptWatch();
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    // True once the user asked to stop while a watch was alive.
    static bool Interrupted();
};

// For a stage that has nothing to undo and cannot ask for the flag itself
// (reading the input file): while alive, a wish to stop ends the program at
// once with exit status 130 after printing `message` (one line) on stderr.
// A wish that came before the stage began is left to the caller's check.
class ExitAtOnceOnInterrupt {
public:
    explicit ExitAtOnceOnInterrupt(const std::string& message);
    ~ExitAtOnceOnInterrupt();
    ExitAtOnceOnInterrupt(const ExitAtOnceOnInterrupt&) = delete;
    ExitAtOnceOnInterrupt& operator=(const ExitAtOnceOnInterrupt&) = delete;
};

}  // namespace oxhost
