#include "PluginLookup.h"

#include <filesystem>
#include <system_error>

#include "host/HostError.h"
#include "host/module/PluginCatalog.h"

namespace oxhost {
namespace {

// A name with a folder in it ("./x", or "C:\x" on Windows) or the module extension.
bool LooksLikePath(const std::string& plugin) {
    const std::string extension = ".8bf";
    return std::filesystem::path(plugin).has_parent_path() ||
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
        std::error_code error;
        if (!std::filesystem::exists(plugin, error)) {
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
