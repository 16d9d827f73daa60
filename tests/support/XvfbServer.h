// A private X server for tests that open windows: Xvfb on a display number
// it picks itself, ready to accept connections once started, killed and
// reaped when the object goes.
#pragma once

#include <sys/types.h>

#include <string>

namespace oxtest {

class XvfbServer {
public:
    // Whether the Xvfb program is installed.
    static bool Installed();

    // Starts the server and waits until it accepts connections; Running()
    // tells whether that worked, Problem() why not.
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool Running() const { return !display.empty(); }
    // ":N", for DISPLAY.
    const std::string& Display() const { return display; }
    const std::string& Problem() const { return problem; }

private:
    pid_t child = -1;
    std::string display;
    std::string problem;
};

}  // namespace oxtest
