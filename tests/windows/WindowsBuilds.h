// The Windows builds the Linux test run checks: each one's folder of
// programs (oxhost.exe beside the two modules) and its compiler triple, from
// the OX_WINDOWS_X86_BIN and OX_WINDOWS_X64_BIN settings of the test.
#pragma once

#include <string>
#include <vector>

namespace oxtest {

struct WindowsBuild {
    std::string name;    // "x86" or "x64"
    std::string bin;     // folder of oxhost.exe, the modules and Presets
    std::string triple;  // i686-w64-mingw32 or x86_64-w64-mingw32
    bool is64Bit = false;
};

// The builds configured for this test run; none when Windows builds were not made.
std::vector<WindowsBuild> ConfiguredWindowsBuilds();

}  // namespace oxtest
