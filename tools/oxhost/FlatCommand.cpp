// oxhost flat: clean flats from line art, for one page or a book of them.
// One page runs in this process; several run in worker processes, each this
// program again with the same command line and the number of its page.
#include <cstdio>
#include <thread>

#include "BookRun.h"
#include "Commands.h"
#include "FlatPage.h"
#include "FlatPages.h"
#include "FlatReport.h"
#include "SwatchFolder.h"
#include "host/HostError.h"
#include "host/image/AtomicFile.h"
#include "host/image/DocumentAllocation.h"
#include "host/run/InterruptWatch.h"

namespace oxhost {
namespace {

void CheckFlatOptions(const Options& options) {
    std::string misplaced;
    if (options.tintflood.fillColor) {
        misplaced = "--fill-color";  // flat floods the paper it has made white
    } else if (!options.playFile.empty()) {
        misplaced = "--play";
    } else if (!options.recordFile.empty()) {
        misplaced = "--record";
    } else if (options.dialog) {
        misplaced = options.dialogScript.empty() ? "--dialog" : "--dialog-script";
    }
    if (!misplaced.empty()) {
        throw UsageError(misplaced + " is an option of run, not of flat");
    }
    if (options.tintflood.palette) {
        TintfloodChoices choices = options.tintflood;
        ResolvePalette(choices, SwatchFolder());
    }
}

int Jobs(const FlatChoices& flat) {
    if (flat.jobs > 0) {
        return flat.jobs;
    }
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : int(cores);
}

// A worker of a book: one page, its report as one line of JSON on stdout.
int RunWorkerPage(const std::vector<FlatPage>& pages, const Options& options) {
    const size_t index = size_t(options.flat.workerPage);
    if (index >= pages.size()) {
        throw UsageError("--worker-page " + std::to_string(index) + " names no page");
    }
    PageReport report;
    bool interrupted = false;
    try {
        const FlatModules modules = OpenFlatModules(options);
        report = FlattenPage(pages[index], options, modules, false, interrupted);
    } catch (const HostError& error) {
        report.input = pages[index].input;
        report.failure = error.what();
    }
    std::printf("%s\n", PageToJson(report).c_str());
    std::fflush(stdout);
    return interrupted ? kExitInterrupted : report.done ? kExitDone : kExitFailed;
}

int RunSinglePage(const FlatPage& page, const Options& options, std::vector<PageReport>& reports) {
    const FlatModules modules = OpenFlatModules(options);
    bool interrupted = false;
    PageReport report = FlattenPage(page, options, modules, true, interrupted);
    if (interrupted) {
        std::fprintf(stderr, "oxhost: interrupted; nothing written for '%s'\n", page.input.c_str());
        return kExitInterrupted;
    }
    if (report.done) {
        std::printf("%s\n", SummaryLine(report).c_str());
        std::fflush(stdout);
    } else {
        std::fprintf(stderr, "oxhost: %s: %s; nothing written\n", page.input.c_str(),
                     report.failure.c_str());
    }
    PrintPageWarnings(report);
    reports.push_back(std::move(report));
    return reports.back().done ? kExitDone : kExitFailed;
}

}  // namespace

int FlatCommand(const Options& options) {
    CheckFlatOptions(options);
    const std::vector<FlatPage> pages = ListFlatPages(options.arguments, options.flat);
    InterruptWatch interruptWatch;
    SetPixelBudget(PixelBudgetOf(options));
    if (options.flat.workerPage >= 0) {
        return RunWorkerPage(pages, options);
    }
    if (!options.flat.reportFile.empty()) {
        try {
            CheckReplaceable(options.flat.reportFile);
        } catch (const HostError& error) {
            throw HostError(std::string("cannot write the report (--report): ") + error.what());
        }
    }
    std::vector<PageReport> reports;
    int status = kExitDone;
    if (pages.size() == 1) {
        status = RunSinglePage(pages.front(), options, reports);
    } else {
        BookOutcome book = RunBook(pages, options, Jobs(options.flat));
        reports = std::move(book.pages);
        size_t failed = 0;
        for (const PageReport& report : reports) {
            failed += report.done ? 0 : 1;
        }
        if (book.interrupted) {
            std::fprintf(stderr, "oxhost: interrupted after %zu of %zu pages\n",
                         reports.size() - failed, pages.size());
            return kExitInterrupted;
        }
        if (failed > 0) {
            std::fprintf(stderr, "oxhost: %zu of %zu pages failed\n", failed, pages.size());
            status = kExitFailed;
        }
    }
    if (status == kExitInterrupted) {
        return status;
    }
    if (!options.flat.reportFile.empty()) {
        SaveFlatReport(options.flat.reportFile, reports);
    }
    return status;
}

}  // namespace oxhost
