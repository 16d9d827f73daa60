// On Linux the running program names itself through /proc/self/exe.
#include <filesystem>

#include "host/module/ProgramFolder.h"

namespace oxhost {

std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}

}  // namespace oxhost
