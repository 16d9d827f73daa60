#include "PluginLookup.h"

#include <sys/stat.h>

#include "host/HostError.h"
#include "host/module/PluginCatalog.h"

namespace oxhost {
namespace {

bool LooksLikePath(const std::string& plugin) {
    const std::string extension = ".8bf";
    return plugin.find('/') != std::string::npos ||
           (plugin.size() > extension.size() &&
            plugin.compare(plugin.size() - extension.size(), extension.size(), extension) == 0);
}

std::string JoinFolders(const std::vector<std::string>& folders) {
    std::string joined;
    for (const std::string& folder : folders) {
        joined += (joined.empty() ? "" : ", ") + folder;
    }
    return joined.empty() ? "(no folder)" : joined;
}

}  // namespace

std::string PlainPluginName(const std::string& piplName) {
    const std::string dots = "...";
    if (piplName.size() > dots.size() &&
        piplName.compare(piplName.size() - dots.size(), dots.size(), dots) == 0) {
        return piplName.substr(0, piplName.size() - dots.size());
    }
    return piplName;
}

std::vector<std::string> PluginFolders(const std::vector<std::string>& given) {
    return given.empty() ? DefaultPluginFolders() : given;
}

std::string FindPluginModule(const std::string& plugin, const std::vector<std::string>& folders) {
    if (LooksLikePath(plugin)) {
        struct stat status {};
        if (stat(plugin.c_str(), &status) != 0) {
            throw HostError("no plug-in module '" + plugin + "'");
        }
        return plugin;
    }
    PluginCatalog catalog;
    for (const std::string& folder : folders) {
        catalog.AddFolder(folder);
    }
    const CatalogEntry* entry = catalog.FindByName(plugin);
    if (entry == nullptr) {
        throw HostError("no plug-in named '" + plugin + "' in " + JoinFolders(folders) +
                        " (see 'oxhost list')");
    }
    return entry->path;
}

}  // namespace oxhost
