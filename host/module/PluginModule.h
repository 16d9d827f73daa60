// A filter plug-in module loaded into the host: its PiPL, read from the file
// before any of its code runs, and its entry point.
#pragma once

#include <memory>
#include <string>

#include "Pipl.h"
#include "hostapi/PluginEntry.h"

namespace oxhost {

class PluginModule {
public:
    // Reads the PiPL of the module at `path` (resource "PIPL" 16000, which
    // must describe a filter), then loads the module and looks up the entry
    // point that the PiPL names for this host (PiplProperties::
    // HostEntryPoint). Throws HostError naming the file when any step fails;
    // nothing stays loaded then.
    static std::unique_ptr<PluginModule> Open(const std::string& path);

    // Unloads the module: no pointer into it may be used afterwards.
    ~PluginModule();

    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    const std::string& Path() const { return path_; }
    const PiplProperties& Properties() const { return properties_; }
    PluginEntryProc Entry() const { return entry_; }
    // The module as the system's loader knows it: what dlopen returned on
    // Linux, the HMODULE on Windows (where the plug-in's resources live).
    void* NativeHandle() const { return handle_; }

private:
    PluginModule(std::string path, PiplProperties properties, void* handle, PluginEntryProc entry);

    std::string path_;
    PiplProperties properties_;
    void* handle_;  // from dlopen or LoadLibrary
    PluginEntryProc entry_;
};

}  // namespace oxhost
