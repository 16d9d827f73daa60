// oxhost palettes: the swatch files Tintflood offers, and where they are.
#include <cstdio>

#include "Commands.h"
#include "SwatchFolder.h"

namespace oxhost {

int PalettesCommand(const Options& options) {
    if (!options.arguments.empty()) {
        throw UsageError("palettes takes no arguments");
    }
    const std::string folder = SwatchFolder();
    const std::vector<std::string> names = ListSwatchFiles(folder);
    std::printf("Swatch folder: %s\n", folder.c_str());
    if (names.empty()) {
        std::printf("(no swatch files: Tintflood makes its fill colours at random)\n");
    }
    for (const std::string& name : names) {
        std::printf("%s\n", name.c_str());
    }
    return kExitDone;
}

}  // namespace oxhost
