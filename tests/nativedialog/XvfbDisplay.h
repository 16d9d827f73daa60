// A private X server (Xvfb) for a test: started on a free display number,
// ready when constructed, killed and reaped when destroyed.
#pragma once

#include <sys/types.h>

#include <string>

namespace oxtest {

// Whether an `Xvfb` program is on the PATH.
bool XvfbInstalled();

class XvfbDisplay {
public:
    XvfbDisplay();
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    // ":N" once the server accepts connections; empty when it never did.
    const std::string& Name() const { return name; }
    const std::string& Problem() const { return problem; }

private:
    pid_t server = -1;
    std::string name;
    std::string problem;
};

}  // namespace oxtest
