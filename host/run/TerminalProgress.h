// Progress for a person at a terminal: one bar line on stderr that each stage
// of a run takes over in turn ("Loading page.png", the filter, "Writing
// out.png"). Shows nothing when stderr is not a terminal or when told to be
// quiet. The line always fits the terminal's width, so it never wraps. The
// wish to stop comes from Ctrl-C (InterruptWatch).
#pragma once

#include <cstdio>
#include <string>

#include "host/image/ImageProgress.h"
#include "host/run/ProgressSink.h"

namespace oxhost {

// Whether stderr goes to a terminal (a console on Windows), and how many
// columns it has (80 when that cannot be told); one file per platform,
// TerminalLinux.cpp and TerminalWindows.cpp.
bool ErrorStreamIsTerminal();
int ErrorStreamColumns();

// The bar's text for `label` at `percent` (0 to 100), "LABEL [####....]  42%",
// in at most `columns` - 1 terminal columns (the last one is left free: a
// character there makes some terminals wrap). The bar narrows first, then
// the label is cut, ending in "..."; any character outside ASCII is counted
// as two columns, so a wide one cannot overflow either.
std::string ProgressLine(const std::string& label, int percent, int columns);

class TerminalProgress : public ProgressSink {
public:
    // On stderr when it is a terminal and `quiet` is false. The bar shows
    // `label` from the first Report on; Start sets another.
    TerminalProgress(const std::string& label, bool quiet);
    // For tests: draws on `stream` when `visible`, `columns` wide.
    TerminalProgress(FILE* stream, bool visible, int (*columns)());
    ~TerminalProgress() override;
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // Begins a stage: the bar's line shows `label` at 0% at once, over
    // whatever the line showed before.
    void Start(const std::string& label);

    // Ends the bar's line, so that what is printed next starts a line of its
    // own; a later Report draws the bar again on a new line.
    void Finish();

    // Whether the bar's line is on the terminal now, not yet ended.
    bool Drawn() const { return drawn; }

    void Report(int32_t done, int32_t total) override;
    bool AbortRequested() override;

private:
    void Draw(int percent);

    FILE* stream;
    bool visible;
    int (*columns)();
    std::string label;
    bool drawn = false;
    int lastPercent = -1;
    // Columns the line last drawn took, so a shorter one can blank the rest.
    size_t drawnWidth = 0;
};

// Shows how far an image reader or writer has got on `progress`'s bar.
inline ImageProgress ProgressOnBar(TerminalProgress& progress) {
    return [&progress](int32_t done, int32_t total) { progress.Report(done, total); };
}

}  // namespace oxhost
