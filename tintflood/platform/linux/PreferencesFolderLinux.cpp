// The per-user application-data folder on Linux is the XDG configuration
// folder: $XDG_CONFIG_HOME, or $HOME/.config when that is unset or not an
// absolute path (the XDG rule).
#include <cstdlib>
#include <filesystem>

#include "Preferences.h"

namespace {

std::string ConfigurationFolder() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && configHome[0] == '/') {
        return configHome;
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.config";
    }
    return std::string();
}

}  // namespace

std::string PreferencesFolder() {
    const std::string folder = ConfigurationFolder();
    if (folder.empty()) {
        return std::string();
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error)) {
        return std::string();
    }
    return folder.back() == '/' ? folder : folder + "/";
}
