// On Windows the running program's path comes from GetModuleFileNameA.
#include <windows.h>

#include <filesystem>
#include <vector>

#include "host/module/ProgramFolder.h"

namespace oxhost {

std::string ProgramPath() {
    // Paths may be longer than MAX_PATH; the buffer grows until the name fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), DWORD(buffer.size()));
        if (length == 0) {
            return std::string();
        }
        if (length < buffer.size()) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramFolder() {
    const std::string program = ProgramPath();
    return program.empty() ? program : std::filesystem::path(program).parent_path().string();
}

}  // namespace oxhost
