#include "XvfbDisplay.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

namespace oxtest {
namespace {

// A number with neither a lock file nor a socket is taken by no server.
bool DisplayFree(int number) {
    const std::string n = std::to_string(number);
    return !std::filesystem::exists("/tmp/.X" + n + "-lock") &&
           !std::filesystem::exists("/tmp/.X11-unix/X" + n);
}

bool Accepts(const std::string& name) {
    Display* display = XOpenDisplay(name.c_str());
    if (display == nullptr) {
        return false;
    }
    XCloseDisplay(display);
    return true;
}

bool Running(pid_t child) {
    int status = 0;
    return waitpid(child, &status, WNOHANG) == 0;
}

}  // namespace

bool XvfbInstalled() {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path != nullptr ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (!folder.empty() && access((folder + "/Xvfb").c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

XvfbDisplay::XvfbDisplay() {
    // A few attempts: another server may take the number between the check and the start.
    for (int number = 90 + int(getpid() % 100); name.empty() && number < 400; ++number) {
        if (!DisplayFree(number)) {
            continue;
        }
        const std::string candidate = ":" + std::to_string(number);
        server = fork();
        if (server == 0) {
            const int nothing = open("/dev/null", O_RDWR);
            dup2(nothing, STDOUT_FILENO);
            dup2(nothing, STDERR_FILENO);
            // -noreset: without it the server resets when its last client
            // (the readiness probe) leaves, and refuses connections meanwhile.
            execlp("Xvfb", "Xvfb", candidate.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
                   "tcp", "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        // A generous wait for the server to come up.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline && Running(server)) {
            if (Accepts(candidate)) {
                name = candidate;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (Running(server)) {
            kill(server, SIGKILL);
            waitpid(server, nullptr, 0);
            problem = "Xvfb " + candidate + " did not accept connections";
            server = -1;
            return;
        }
        server = -1;  // it exited (number taken after all): try the next one
    }
    if (problem.empty()) {
        problem = "no display number could be used for Xvfb";
    }
}

XvfbDisplay::~XvfbDisplay() {
    if (server > 0) {
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
    }
}

}  // namespace oxtest
