#include "XvfbServer.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace oxtest {
namespace {

constexpr char kXvfbPath[] = "/usr/bin/Xvfb";
constexpr int kStartTimeoutMilliseconds = 15000;

// Reads the display number Xvfb writes to -displayfd once it listens.
std::string ReadDisplayNumber(int fd) {
    std::string number;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMilliseconds);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd wait{fd, POLLIN, 0};
        if (poll(&wait, 1, 100) <= 0) {
            continue;
        }
        char c = 0;
        if (read(fd, &c, 1) != 1) {
            break;
        }
        if (c == '\n') {
            return number;
        }
        number += c;
    }
    return {};
}

}  // namespace

bool XvfbServer::Installed() {
    return access(kXvfbPath, X_OK) == 0;
}

XvfbServer::XvfbServer() {
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        problem = "no pipe";
        return;
    }
    child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], 3);  // dup2 clears close-on-exec on the copy
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, 1);
        dup2(devNull, 2);
        // -noreset: without it the server resets when its last client (the
        // readiness probe) leaves, and refuses connections meanwhile.
        execl(kXvfbPath, "Xvfb", "-displayfd", "3", "-screen", "0", "800x600x24", "-nolisten",
              "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    const std::string number = child > 0 ? ReadDisplayNumber(pipeEnds[0]) : std::string();
    close(pipeEnds[0]);
    if (number.empty()) {
        problem = "Xvfb did not start";
        return;
    }
    // Checks that it really accepts connections.
    ::Display* probe = XOpenDisplay((":" + number).c_str());
    if (probe == nullptr) {
        problem = "Xvfb :" + number + " refuses connections";
        return;
    }
    XCloseDisplay(probe);
    display = ":" + number;
}

XvfbServer::~XvfbServer() {
    if (child > 0) {
        kill(child, SIGTERM);
        int status = 0;
        waitpid(child, &status, 0);
    }
}

}  // namespace oxtest
