// A book: the pages of `oxhost flat`, several at a time, each in a worker
// process of its own (this program again, told which page to run), with one
// progress line for the whole book.
#pragma once

#include <vector>

#include "FlatPages.h"
#include "FlatReport.h"
#include "Options.h"

namespace oxhost {

struct BookOutcome {
    std::vector<PageReport> pages;  // in page order; pages never started are left out
    bool interrupted = false;
};

// Runs every page with `jobs` workers at a time. Prints each page's summary
// line on stdout as it ends (warnings and failures on stderr); a failed page
// does not stop the others. Ctrl-C (or SIGTERM) stops every worker, which
// then writes nothing; an InterruptWatch must be alive.
BookOutcome RunBook(const std::vector<FlatPage>& pages, const Options& options, int jobs);

// Prints a page's warnings on stderr, "oxhost: warning: NAME: ...".
void PrintPageWarnings(const PageReport& report);

}  // namespace oxhost
