// One filter run on a document held in memory, for commands that chain
// filters (flat): the module's options come from `options` as for `run`,
// without a dialog, an action file or a recording.
#pragma once

#include <string>
#include <vector>

#include "Options.h"
#include "host/image/Document.h"
#include "host/module/PluginModule.h"
#include "host/run/ProgressSink.h"

namespace oxhost {

struct FilterOutcome {
    bool interrupted = false;           // the user asked to stop
    std::vector<std::string> warnings;  // for the user (a palette that gave no colour)
};

// Runs `module` on `document`, which holds the result when it returns without
// `interrupted`; otherwise, and after a failure, the document is left partly
// filtered (the run works in it, to save a copy of the page). Throws HostError naming the plug-in
// and what went wrong when the filter fails, UsageError for options it cannot take. An
// InterruptWatch must be alive for Ctrl-C to stop the run.
FilterOutcome RunFilterOnDocument(const PluginModule& module, Document& document,
                                  const Options& options, ProgressSink* progress);

}  // namespace oxhost
