#include "WindowsBuilds.h"

#include <cstdlib>

namespace oxtest {

std::vector<WindowsBuild> ConfiguredWindowsBuilds() {
    std::vector<WindowsBuild> builds;
    if (const char* bin = std::getenv("OX_WINDOWS_X86_BIN"); bin != nullptr && *bin != '\0') {
        builds.push_back({"x86", bin, "i686-w64-mingw32", false});
    }
    if (const char* bin = std::getenv("OX_WINDOWS_X64_BIN"); bin != nullptr && *bin != '\0') {
        builds.push_back({"x64", bin, "x86_64-w64-mingw32", true});
    }
    return builds;
}

}  // namespace oxtest
