#include "SwatchFolder.h"

#include <filesystem>

#include "host/module/ProgramFolder.h"

namespace oxhost {

std::string SwatchFolder() {
    // In the platform's own spelling: "Presets\Color Swatches\" on Windows.
    const std::filesystem::path subfolder = std::filesystem::path("Presets") / "Color Swatches";
    const std::string programFolder = ProgramFolder();
    const std::filesystem::path folder =
        programFolder.empty() ? subfolder : std::filesystem::path(programFolder) / subfolder;
    return folder.string() + char(std::filesystem::path::preferred_separator);
}

bool IsNameInSwatchFolder(const std::string& name) {
#ifdef _WIN32
    const char* const separators = "/\\:";
#else
    const char* const separators = "/\\";
#endif
    return name.find_first_of(separators) == std::string::npos && name != "." && name != "..";
}

}  // namespace oxhost
