// On Linux a module is loaded with dlopen and its entry found with dlsym.
#include <dlfcn.h>

#include <utility>

#include "ModuleFile.h"
#include "PluginModule.h"
#include "host/HostError.h"

namespace oxhost {

namespace {

// Owns a dlopen handle until it is handed on.
class LibraryHandle {
public:
    explicit LibraryHandle(void* handle) : handle_(handle) {}
    ~LibraryHandle() {
        if (handle_ != nullptr) {
            dlclose(handle_);
        }
    }
    LibraryHandle(const LibraryHandle&) = delete;
    LibraryHandle& operator=(const LibraryHandle&) = delete;

    void* Get() const { return handle_; }
    void* Release() { return std::exchange(handle_, nullptr); }

private:
    void* handle_;
};

std::string LastLoaderError() {
    const char* message = dlerror();
    return message != nullptr ? message : "unknown error";
}

// dlopen searches the library path for a name without a slash; a module
// path always means the file itself.
std::string LoaderPath(const std::string& path) {
    return path.find('/') == std::string::npos ? "./" + path : path;
}

}  // namespace

std::unique_ptr<PluginModule> PluginModule::Open(const std::string& path) {
    PiplProperties properties = ReadFilterPipl(path);

    dlerror();  // clear a stale message
    LibraryHandle library(dlopen(LoaderPath(path).c_str(), RTLD_NOW | RTLD_LOCAL));
    if (library.Get() == nullptr) {
        throw HostError("'" + path + "' cannot be loaded: " + LastLoaderError());
    }
    dlerror();
    void* symbol = dlsym(library.Get(), properties.HostEntryPoint().c_str());
    if (symbol == nullptr) {
        throw HostError("'" + path + "' cannot be loaded: it has no entry point '" +
                        properties.HostEntryPoint() + "'");
    }
    auto entry = reinterpret_cast<PluginEntryProc>(symbol);
    std::unique_ptr<PluginModule> module(
        new PluginModule(path, std::move(properties), library.Get(), entry));
    library.Release();
    return module;
}

PluginModule::PluginModule(std::string path, PiplProperties properties, void* handle,
                           PluginEntryProc entry)
    : path_(std::move(path)), properties_(std::move(properties)), handle_(handle), entry_(entry) {}

PluginModule::~PluginModule() {
    dlclose(handle_);
}

}  // namespace oxhost
