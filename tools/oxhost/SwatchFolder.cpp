#include "SwatchFolder.h"

#include "host/module/ProgramFolder.h"

namespace oxhost {

std::string SwatchFolder() {
    const std::string subfolder = "Presets/Color Swatches/";
    const std::string programFolder = ProgramFolder();
    return programFolder.empty() ? subfolder : programFolder + "/" + subfolder;
}

}  // namespace oxhost
