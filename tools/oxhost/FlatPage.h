// One page of `oxhost flat`: the line work found and cleaned, Tintflood and
// Virarar run on it through the plug-in modules, and the layers written.
#pragma once

#include <memory>

#include "FlatOptions.h"
#include "FlatPages.h"
#include "FlatReport.h"
#include "Options.h"
#include "host/module/PluginModule.h"

namespace oxhost {

// Both modules, loaded once for all the pages a process runs.
struct FlatModules {
    std::unique_ptr<PluginModule> tintflood;
    std::unique_ptr<PluginModule> virarar;
};

// Throws HostError when either cannot be found or loaded.
FlatModules OpenFlatModules(const Options& options);

// Runs the page and writes its outputs together, or none of them. Failures
// of the page (an unreadable input, a filter error) come back in the report,
// not as exceptions. `interrupted` is set, and nothing written, when the user
// asked to stop. Progress bars when `showProgress`.
PageReport FlattenPage(const FlatPage& page, const Options& options, const FlatModules& modules,
                       bool showProgress, bool& interrupted);

}  // namespace oxhost
