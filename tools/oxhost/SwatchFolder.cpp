#include "SwatchFolder.h"

#include <dirent.h>

#include <filesystem>
#include <memory>

namespace oxhost {

std::string SwatchFolder() {
    const std::string subfolder = "Presets/Color Swatches/";
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return subfolder;
    }
    return program.parent_path().string() + "/" + subfolder;
}

bool IsSwatchFileName(const std::string& name) {
    return name.size() > 4 && name.find(".aco") != std::string::npos;
}

std::vector<std::string> ListSwatchFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> directory(opendir(folder.c_str()), closedir);
    if (directory == nullptr) {
        return names;
    }
    // readdir gives the directory's own order, as the filter's listing sees it.
    while (const dirent* entry = readdir(directory.get())) {
        if (IsSwatchFileName(entry->d_name)) {
            names.push_back(entry->d_name);
        }
    }
    return names;
}

}  // namespace oxhost
