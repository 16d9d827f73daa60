// The plug-in reference the host hands a module for one run or About box:
// its entry in PluginAccessTable, which "SP Access Suite" answers from.
#pragma once

#include "host/dialog/PluginAccessTable.h"
#include "host/module/PluginModule.h"

namespace oxhost {

// Registers the loaded module (the system's handle of it, so that a Windows
// plug-in loads its dialogs and strings from that HMODULE) and its file;
// hands the reference back when it goes.
class PluginReference {
public:
    explicit PluginReference(const PluginModule& module)
        : reference(PluginAccessTable::Instance().Add(module.NativeHandle(), module.Path())) {}
    ~PluginReference() { PluginAccessTable::Instance().Remove(reference); }
    PluginReference(const PluginReference&) = delete;
    PluginReference& operator=(const PluginReference&) = delete;

    void* Get() const { return reference; }

private:
    void* reference;
};

}  // namespace oxhost
