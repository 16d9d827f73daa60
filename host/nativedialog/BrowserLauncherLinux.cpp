// On Linux the desktop's xdg-open opens the address.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "host/nativedialog/BrowserLauncher.h"

namespace oxhost {
namespace {

// Runs in the intermediate child: only async-signal-safe calls until exec.
void ExecDetached(const char* address) {
    setsid();
    const int nothing = open("/dev/null", O_RDWR);
    if (nothing >= 0) {
        dup2(nothing, STDIN_FILENO);
        dup2(nothing, STDOUT_FILENO);
        dup2(nothing, STDERR_FILENO);
    }
    char program[] = "xdg-open";
    char* const argv[] = {program, const_cast<char*>(address), nullptr};
    execvp(program, argv);
    _exit(127);
}

}  // namespace

void LaunchBrowser(const std::string& address) {
    if (WriteToBrowseLog(address)) {
        return;
    }
    // Fork twice: the grandchild runs xdg-open and is adopted by init, the
    // child exits at once and is reaped here, so nothing is left behind.
    const pid_t child = fork();
    if (child < 0) {
        return;
    }
    if (child == 0) {
        const pid_t grandchild = fork();
        if (grandchild == 0) {
            ExecDetached(address.c_str());
        }
        _exit(grandchild < 0 ? 1 : 0);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace oxhost
