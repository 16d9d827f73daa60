// On Windows Ctrl-C reaches a console handler, on a thread of its own: the
// first one is answered here, a later one is left to the system, which ends
// the program.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>

#include "host/run/InterruptWatch.h"

namespace oxhost {
namespace {

constexpr UINT kExitInterrupted = 130;

std::atomic<bool> interrupted{false};
std::atomic<bool> exitAtOnce{false};
char exitMessage[1024];
DWORD exitMessageLength = 0;

BOOL WINAPI OnControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        return FALSE;
    }
    if (interrupted.exchange(true)) {
        return FALSE;
    }
    if (exitAtOnce) {
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), exitMessage, exitMessageLength, &written,
                  nullptr);
        // The main thread is inside a library reading the file: end the
        // process without running anything more of it.
        TerminateProcess(GetCurrentProcess(), kExitInterrupted);
    }
    return TRUE;
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

ExitAtOnceOnInterrupt::ExitAtOnceOnInterrupt(const std::string& message) {
    const std::string line = message + "\n";
    exitMessageLength = DWORD(std::min(line.size(), sizeof exitMessage));
    std::memcpy(exitMessage, line.data(), exitMessageLength);
    exitAtOnce = true;
}

ExitAtOnceOnInterrupt::~ExitAtOnceOnInterrupt() {
    exitAtOnce = false;
}

}  // namespace oxhost
