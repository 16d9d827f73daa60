// Progress for a person at a terminal: a bar on stderr while a filter runs,
// and Ctrl-C as the wish to stop. Shows nothing when stderr is not a terminal
// or when told to be quiet; Ctrl-C works either way.
#pragma once

#include <csignal>
#include <string>

#include "host/run/ProgressSink.h"

namespace oxhost {

class TerminalProgress : public ProgressSink {
public:
    // Installs the Ctrl-C handler for the object's lifetime.
    TerminalProgress(const std::string& label, bool quiet);
    ~TerminalProgress() override;
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void Report(int32_t done, int32_t total) override;
    bool AbortRequested() override;
    // True once Ctrl-C was pressed.
    static bool Interrupted();

private:
    void Draw(int percent);

    std::string label;
    bool visible;
    bool drawn = false;
    int lastPercent = -1;
    struct sigaction previousAction {};
};

}  // namespace oxhost
