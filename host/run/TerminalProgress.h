// Progress for a person at a terminal: a bar on stderr while a filter runs.
// Shows nothing when stderr is not a terminal or when told to be quiet. The
// wish to stop comes from Ctrl-C (InterruptWatch).
#pragma once

#include <string>

#include "host/run/ProgressSink.h"

namespace oxhost {

// Whether stderr goes to a terminal (a console on Windows); one file per
// platform, TerminalLinux.cpp and TerminalWindows.cpp.
bool ErrorStreamIsTerminal();

class TerminalProgress : public ProgressSink {
public:
    TerminalProgress(const std::string& label, bool quiet);
    ~TerminalProgress() override;
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // Ends the bar's line, so that what is printed next starts a line of its
    // own; a later Report draws the bar again.
    void Finish();

    void Report(int32_t done, int32_t total) override;
    bool AbortRequested() override;

private:
    void Draw(int percent);

    std::string label;
    bool visible;
    bool drawn = false;
    int lastPercent = -1;
};

}  // namespace oxhost
