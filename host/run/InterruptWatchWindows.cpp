// On Windows Ctrl-C reaches a console handler, on a thread of its own: the
// first one is answered here, a later one is left to the system, which ends
// the program.
#include <windows.h>

#include <atomic>

#include "host/run/InterruptWatch.h"

namespace oxhost {
namespace {

std::atomic<bool> interrupted{false};

BOOL WINAPI OnControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        return FALSE;
    }
    return interrupted.exchange(true) ? FALSE : TRUE;
}

}  // namespace

InterruptWatch::InterruptWatch() {
    interrupted = false;
    SetConsoleCtrlHandler(OnControl, TRUE);
}

InterruptWatch::~InterruptWatch() {
    SetConsoleCtrlHandler(OnControl, FALSE);
}

bool InterruptWatch::Interrupted() {
    return interrupted;
}

}  // namespace oxhost
