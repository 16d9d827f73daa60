// Finding the module a user means: a path, or a plug-in name looked up in the
// plug-in folders.
#pragma once

#include <string>
#include <vector>

namespace oxhost {

// The plug-in folders to search: those given, or the default ones.
std::vector<std::string> PluginFolders(const std::vector<std::string>& given);

// The module file for `plugin`; throws HostError when nothing matches.
std::string FindPluginModule(const std::string& plugin, const std::vector<std::string>& folders);

// The PiPL name without a trailing "...", for messages ("Tintflood").
std::string PlainPluginName(const std::string& piplName);

}  // namespace oxhost
