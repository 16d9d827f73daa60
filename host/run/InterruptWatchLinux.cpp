// On Linux Ctrl-C arrives as SIGINT; the handler puts the default action
// back, so that a second Ctrl-C ends the program.
#include <csignal>

#include "host/run/InterruptWatch.h"

namespace oxhost {
namespace {

volatile sig_atomic_t interrupted = 0;
struct sigaction previousAction {};

void OnInterrupt(int) {
    interrupted = 1;
    std::signal(SIGINT, SIG_DFL);
}

}  // namespace

InterruptWatch::InterruptWatch() {
    interrupted = 0;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousAction);
}

InterruptWatch::~InterruptWatch() {
    sigaction(SIGINT, &previousAction, nullptr);
}

bool InterruptWatch::Interrupted() {
    return interrupted != 0;
}

}  // namespace oxhost
