// Paths of the probe modules built for the resource tests, and a small
// owner of a module loaded with dlopen.
#pragma once

#include <dlfcn.h>

#include <string>

namespace restest {

inline const std::string kResourceProbe = OX_RESOURCE_PROBE;
inline const std::string kMissingEntryProbe = OX_MISSING_ENTRY_PROBE;
inline const std::string kUnresolvedProbe = OX_UNRESOLVED_PROBE;
inline const std::string kProbeDataFile = OX_PROBE_DATA_FILE;
inline const std::string kTestBinaryDir = OX_TEST_BINARY_DIR;

class LoadedLibrary {
public:
    explicit LoadedLibrary(const std::string& path)
        : handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}
    ~LoadedLibrary() {
        if (handle_ != nullptr) {
            dlclose(handle_);
        }
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    bool IsLoaded() const { return handle_ != nullptr; }
    void* Symbol(const char* name) const { return dlsym(handle_, name); }

private:
    void* handle_;
};

}  // namespace restest
