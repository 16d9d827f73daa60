#include "BookRun.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <memory>

#include "PageProcess.h"
#include "host/HostError.h"
#include "host/module/ProgramFolder.h"
#include "host/run/InterruptWatch.h"
#include "host/run/TerminalProgress.h"

namespace oxhost {
namespace {

using Clock = std::chrono::steady_clock;

// The book's line on stderr, redrawn in place; only on a terminal.
class BookProgressLine {
public:
    explicit BookProgressLine(bool quiet) : visible(!quiet && ErrorStreamIsTerminal()) {}

    void Show(const std::string& text) {
        if (!visible) {
            return;
        }
        // Never wider than a narrow terminal's line, so it is redrawn in place.
        std::string line = text.size() > 79 ? text.substr(0, 76) + "..." : text;
        const size_t width = line.size();
        line.append(shown > width ? shown - width : 0, ' ');
        std::fprintf(stderr, "\r%s", line.c_str());
        std::fflush(stderr);
        shown = width;
    }

    // Clears the line, so that other output starts at its beginning.
    void Clear() {
        if (visible && shown > 0) {
            std::fprintf(stderr, "\r%s\r", std::string(shown, ' ').c_str());
            std::fflush(stderr);
            shown = 0;
        }
    }

private:
    bool visible;
    size_t shown = 0;
};

struct RunningPage {
    size_t index;
    std::unique_ptr<PageProcess> process;
};

std::string TimeLeft(double seconds) {
    const long whole = long(seconds + 0.5);
    if (whole >= 120) {
        return std::to_string((whole + 30) / 60) + " min";
    }
    return std::to_string(whole) + " s";
}

// The report of an ended worker: the JSON line it printed last, or what its
// end says when it printed none (it crashed).
PageReport EndedPageReport(const FlatPage& page, const PageProcess& process) {
    const std::string& output = process.Output();
    const size_t end = output.find_last_not_of("\r\n");
    if (end != std::string::npos) {
        const size_t newline = output.rfind('\n', end);
        const size_t start = newline == std::string::npos ? 0 : newline + 1;
        const std::string line = output.substr(start, end + 1 - start);
        try {
            return PageFromJson(line);
        } catch (const HostError&) {
        }
    }
    PageReport report;
    report.input = page.input;
    report.failure = "its process ended with " + process.EndDescription() + " and no report";
    return report;
}

}  // namespace

void PrintPageWarnings(const PageReport& report) {
    for (const std::string& warning : report.warnings) {
        std::fprintf(stderr, "oxhost: warning: %s: %s\n", report.input.c_str(), warning.c_str());
    }
}

BookOutcome RunBook(const std::vector<FlatPage>& pages, const Options& options, int jobs) {
    const std::string program = ProgramPath();
    if (program.empty()) {
        throw HostError("cannot find the oxhost program to start page processes from");
    }
    std::vector<std::unique_ptr<PageReport>> reports(pages.size());
    std::deque<size_t> waiting;
    for (size_t index = 0; index < pages.size(); ++index) {
        waiting.push_back(index);
    }
    std::vector<RunningPage> running;
    BookProgressLine progress(options.quiet);
    const Clock::time_point start = Clock::now();
    size_t ended = 0;
    BookOutcome outcome;

    while (!waiting.empty() || !running.empty()) {
        if (InterruptWatch::Interrupted()) {
            outcome.interrupted = true;
            for (RunningPage& page : running) {
                page.process->Stop();
            }
            running.clear();
            break;
        }
        while (!waiting.empty() && running.size() < size_t(jobs)) {
            const size_t index = waiting.front();
            waiting.pop_front();
            std::vector<std::string> arguments = options.commandLine;
            arguments.insert(arguments.end(), {"--quiet", "--worker-page", std::to_string(index)});
            running.push_back(RunningPage{index, PageProcess::Start(program, arguments)});
        }
        for (auto page = running.begin(); page != running.end();) {
            if (!page->process->Poll()) {
                ++page;
                continue;
            }
            auto report =
                std::make_unique<PageReport>(EndedPageReport(pages[page->index], *page->process));
            progress.Clear();
            std::printf("%s\n", SummaryLine(*report).c_str());
            std::fflush(stdout);
            PrintPageWarnings(*report);
            reports[page->index] = std::move(report);
            ++ended;
            page = running.erase(page);
        }
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        std::string line =
            "flat: " + std::to_string(ended) + "/" + std::to_string(pages.size()) + " pages";
        if (!running.empty()) {
            line += ", now " + pages[running.front().index].name;
        }
        if (ended > 0) {
            line += ", about " + TimeLeft(elapsed / double(ended) * double(pages.size() - ended)) +
                    " left";
        }
        progress.Show(line);
        PauseBetweenPolls();
    }
    progress.Clear();
    for (std::unique_ptr<PageReport>& report : reports) {
        if (report) {
            outcome.pages.push_back(std::move(*report));
        }
    }
    return outcome;
}

}  // namespace oxhost
