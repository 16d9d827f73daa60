#include "host/dialog/PluginAccessTable.h"

#include <algorithm>

namespace oxhost {

PluginAccessTable& PluginAccessTable::Instance() {
    static PluginAccessTable table;
    return table;
}

void* PluginAccessTable::Add(void* moduleHandle, const std::string& modulePath) {
    entries.push_back(std::make_unique<PluginAccess>(PluginAccess{moduleHandle, modulePath}));
    return entries.back().get();
}

void PluginAccessTable::Remove(void* reference) {
    entries.erase(
        std::remove_if(entries.begin(), entries.end(),
                       [reference](const auto& entry) { return entry.get() == reference; }),
        entries.end());
}

const PluginAccess* PluginAccessTable::Find(const void* reference) const {
    for (const auto& entry : entries) {
        if (entry.get() == reference) {
            return entry.get();
        }
    }
    return nullptr;
}

}  // namespace oxhost
