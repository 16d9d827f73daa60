// On Windows a module is a DLL: LoadLibrary, then GetProcAddress for the
// entry point the PiPL names for this host's processor width.
#include <windows.h>

#include <filesystem>
#include <utility>

#include "ModuleFile.h"
#include "PluginModule.h"
#include "host/HostError.h"
#include "host/WindowsErrorText.h"

namespace oxhost {

namespace {

// Owns a loaded module until it is handed on.
class LibraryHandle {
public:
    explicit LibraryHandle(HMODULE module) : module_(module) {}
    ~LibraryHandle() {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    LibraryHandle(const LibraryHandle&) = delete;
    LibraryHandle& operator=(const LibraryHandle&) = delete;

    HMODULE Get() const { return module_; }
    HMODULE Release() { return std::exchange(module_, nullptr); }

private:
    HMODULE module_;
};

// A module path always means that file: made absolute, so that the loader
// searches nothing, and the module's own folder is where its DLLs are looked
// for first.
std::string LoaderPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

}  // namespace

std::unique_ptr<PluginModule> PluginModule::Open(const std::string& path) {
    PiplProperties properties = ReadFilterPipl(path);

    LibraryHandle library(
        LoadLibraryExA(LoaderPath(path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (library.Get() == nullptr) {
        const DWORD error = GetLastError();
        const std::string reason = error == ERROR_BAD_EXE_FORMAT
                                       ? "it is built for another processor than this host"
                                       : WindowsErrorText(error);
        throw HostError("'" + path + "' cannot be loaded: " + reason);
    }
    FARPROC symbol = GetProcAddress(library.Get(), properties.HostEntryPoint().c_str());
    if (symbol == nullptr) {
        throw HostError("'" + path + "' cannot be loaded: it has no entry point '" +
                        properties.HostEntryPoint() + "'");
    }
    auto entry = reinterpret_cast<PluginEntryProc>(reinterpret_cast<void*>(symbol));
    std::unique_ptr<PluginModule> module(
        new PluginModule(path, std::move(properties), library.Get(), entry));
    library.Release();
    return module;
}

PluginModule::PluginModule(std::string path, PiplProperties properties, void* handle,
                           PluginEntryProc entry)
    : path_(std::move(path)), properties_(std::move(properties)), handle_(handle), entry_(entry) {}

PluginModule::~PluginModule() {
    FreeLibrary(static_cast<HMODULE>(handle_));
}

}  // namespace oxhost
