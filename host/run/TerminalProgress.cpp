#include "host/run/TerminalProgress.h"

#include <cstdio>

#include "host/run/InterruptWatch.h"

namespace oxhost {
namespace {
constexpr int kBarWidth = 40;
}

TerminalProgress::TerminalProgress(const std::string& label, bool quiet)
    : label(label), visible(!quiet && ErrorStreamIsTerminal()) {}

TerminalProgress::~TerminalProgress() {
    Finish();
}

void TerminalProgress::Finish() {
    if (drawn) {
        std::fputc('\n', stderr);
        drawn = false;
        lastPercent = -1;
    }
}

bool TerminalProgress::AbortRequested() {
    return InterruptWatch::Interrupted();
}

void TerminalProgress::Report(int32_t done, int32_t total) {
    if (!visible || total <= 0) {
        return;
    }
    const int32_t clamped = done < 0 ? 0 : done > total ? total : done;
    const int percent = int(100LL * clamped / total);
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
