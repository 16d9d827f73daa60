// The plug-in references the host hands to plug-ins (plugInRef), and what
// "SP Access Suite" answers for them: the loaded module and its file.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace oxhost {

struct PluginAccess {
    void* moduleHandle = nullptr;  // the module as loaded; resources come from it too
    std::string modulePath;        // its file, for reading resources without it
};

class PluginAccessTable {
public:
    static PluginAccessTable& Instance();

    // A new reference for a loaded module; valid until Remove.
    void* Add(void* moduleHandle, const std::string& modulePath);
    void Remove(void* reference);
    // Null for a reference this table did not hand out.
    const PluginAccess* Find(const void* reference) const;

private:
    std::vector<std::unique_ptr<PluginAccess>> entries;
};

}  // namespace oxhost
