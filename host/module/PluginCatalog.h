// The filter modules found in plug-in folders, described by their PiPL
// without being loaded.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "Pipl.h"

namespace oxhost {

struct CatalogEntry {
    std::string path;
    PiplProperties pipl;
};

// A *.8bf file that is not a usable filter module, and why.
struct RejectedModule {
    std::string path;
    std::string error;
};

class PluginCatalog {
public:
    // Adds the *.8bf files of `folder`, sorted by file name. A folder that
    // does not exist or cannot be listed adds nothing; a module seen before
    // (by its canonical path) is not added again.
    void AddFolder(const std::string& folder);

    const std::vector<CatalogEntry>& Plugins() const { return plugins_; }
    const std::vector<RejectedModule>& Rejected() const { return rejected_; }

    // The first plug-in whose PiPL name matches `name` (PluginNameMatches),
    // or null.
    const CatalogEntry* FindByName(const std::string& name) const;

private:
    std::vector<CatalogEntry> plugins_;
    std::vector<RejectedModule> rejected_;
    std::set<std::string> seenPaths_;
};

// Whether a user's `query` names the plug-in called `piplName`: ASCII case
// does not matter and a trailing "..." is ignored on both sides, so
// "tintflood" names "Tintflood...".
bool PluginNameMatches(const std::string& piplName, const std::string& query);

// Where the host looks for plug-ins: the folder of the running program, its
// "plugins" folder, and "../lib/oxlen/plugins" beside it. Empty when the
// program's own path cannot be found.
std::vector<std::string> DefaultPluginFolders();

}  // namespace oxhost
