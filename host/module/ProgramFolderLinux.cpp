// On Linux the running program names itself through /proc/self/exe.
#include <filesystem>

#include "host/module/ProgramFolder.h"

namespace oxhost {

std::string ProgramPath() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.string();
}

std::string ProgramFolder() {
    const std::string program = ProgramPath();
    return program.empty() ? program : std::filesystem::path(program).parent_path().string();
}

}  // namespace oxhost
