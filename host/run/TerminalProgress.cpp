#include "host/run/TerminalProgress.h"

#include <unistd.h>

#include <cstdio>

namespace oxhost {
namespace {

volatile sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
    interrupted = 1;
    // A second Ctrl-C ends the program even if the plug-in never asks again.
    std::signal(SIGINT, SIG_DFL);
}

constexpr int kBarWidth = 40;

}  // namespace

TerminalProgress::TerminalProgress(const std::string& label, bool quiet)
    : label(label), visible(!quiet && isatty(STDERR_FILENO) == 1) {
    interrupted = 0;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousAction);
}

TerminalProgress::~TerminalProgress() {
    sigaction(SIGINT, &previousAction, nullptr);
    if (drawn) {
        std::fputc('\n', stderr);
    }
}

bool TerminalProgress::Interrupted() {
    return interrupted != 0;
}

bool TerminalProgress::AbortRequested() {
    return interrupted != 0;
}

void TerminalProgress::Report(int32_t done, int32_t total) {
    if (!visible || total <= 0) {
        return;
    }
    const int percent = int(100LL * (done < 0 ? 0 : done > total ? total : done) / total);
    if (percent != lastPercent) {
        Draw(percent);
        lastPercent = percent;
    }
}

void TerminalProgress::Draw(int percent) {
    const int filled = percent * kBarWidth / 100;
    std::string bar(size_t(filled), '#');
    bar.append(size_t(kBarWidth - filled), '.');
    std::fprintf(stderr, "\r%s [%s] %3d%%", label.c_str(), bar.c_str(), percent);
    std::fflush(stderr);
    drawn = true;
}

}  // namespace oxhost
