// oxhost list: the plug-ins found and what they offer.
#include <algorithm>
#include <cstdio>

#include "Commands.h"
#include "ImageModes.h"
#include "PluginLookup.h"
#include "host/module/PluginCatalog.h"

namespace oxhost {
namespace {

std::string ModeNames(const PiplProperties& pipl) {
    static const char* const names[] = {"Bitmap", "Gray",  "Indexed",      "RGB",     "CMYK",
                                        "HSL",    "HSB",   "Multichannel", "Duotone", "Lab",
                                        "Gray16", "RGB48", "Lab48",        "CMYK64"};
    std::string text;
    for (int mode = 0; mode < int(sizeof(names) / sizeof(names[0])); ++mode) {
        if (pipl.SupportsMode(mode)) {
            text += (text.empty() ? "" : ",") + std::string(names[mode]);
        }
    }
    return text.empty() ? "-" : text;
}

}  // namespace

int ListCommand(const Options& options) {
    if (!options.arguments.empty()) {
        throw UsageError("list takes no arguments");
    }
    PluginCatalog catalog;
    for (const std::string& folder : PluginFolders(options.pluginFolders)) {
        catalog.AddFolder(folder);
    }
    size_t nameWidth = 4;
    size_t categoryWidth = 8;
    for (const CatalogEntry& entry : catalog.Plugins()) {
        nameWidth = std::max(nameWidth, entry.pipl.name.size());
        categoryWidth = std::max(categoryWidth, entry.pipl.category.size());
    }
    std::printf("%-*s  %-*s  %-10s  %s\n", int(nameWidth), "NAME", int(categoryWidth), "CATEGORY",
                "MODES", "FILE");
    for (const CatalogEntry& entry : catalog.Plugins()) {
        std::printf("%-*s  %-*s  %-10s  %s\n", int(nameWidth), entry.pipl.name.c_str(),
                    int(categoryWidth), entry.pipl.category.c_str(), ModeNames(entry.pipl).c_str(),
                    entry.path.c_str());
    }
    for (const RejectedModule& rejected : catalog.Rejected()) {
        std::fprintf(stderr, "oxhost: skipped %s: %s\n", rejected.path.c_str(),
                     rejected.error.c_str());
    }
    if (catalog.Plugins().empty()) {
        std::fprintf(stderr, "oxhost: no plug-ins found\n");
        return kExitFailed;
    }
    return kExitDone;
}

}  // namespace oxhost
