// On Linux Ctrl-C arrives as SIGINT and a request to terminate as SIGTERM;
// the handler puts the default action back, so that a second one ends the
// program.
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>

#include "host/run/InterruptWatch.h"

namespace oxhost {
namespace {

constexpr int kWatchedSignals[] = {SIGINT, SIGTERM};
constexpr int kExitInterrupted = 130;

volatile sig_atomic_t interrupted = 0;
volatile sig_atomic_t exitAtOnce = 0;
// The message of ExitAtOnceOnInterrupt; only write(2) may touch it in the handler.
char exitMessage[1024];
size_t exitMessageLength = 0;
struct sigaction previousActions[2]{};

void OnInterrupt(int signalNumber) {
    interrupted = 1;
    std::signal(signalNumber, SIG_DFL);
    if (exitAtOnce) {
        ssize_t ignored = write(STDERR_FILENO, exitMessage, exitMessageLength);
        (void)ignored;
        _exit(kExitInterrupted);
    }
}

}  // namespace

InterruptWatch::InterruptWatch() {
    interrupted = 0;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    for (size_t index = 0; index < 2; ++index) {
        sigaction(kWatchedSignals[index], &action, &previousActions[index]);
    }
}

InterruptWatch::~InterruptWatch() {
    for (size_t index = 0; index < 2; ++index) {
        sigaction(kWatchedSignals[index], &previousActions[index], nullptr);
    }
}

bool InterruptWatch::Interrupted() {
    return interrupted != 0;
}

ExitAtOnceOnInterrupt::ExitAtOnceOnInterrupt(const std::string& message) {
    const std::string line = message + "\n";
    exitMessageLength = std::min(line.size(), sizeof exitMessage);
    std::memcpy(exitMessage, line.data(), exitMessageLength);
    exitAtOnce = 1;
}

ExitAtOnceOnInterrupt::~ExitAtOnceOnInterrupt() {
    exitAtOnce = 0;
}

}  // namespace oxhost
