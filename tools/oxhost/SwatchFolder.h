// The swatch palettes a filter finds beside the host: the folder
// "Presets/Color Swatches/" in the running program's own folder, and the
// names in it that Tintflood offers.
#pragma once

#include <string>
#include <vector>

#include "SwatchFiles.h"

namespace oxhost {

// The swatch folder of the running program, with a trailing slash; the
// relative "Presets/Color Swatches/" when the program's path is unknown.
std::string SwatchFolder();

// Whether `name` names a file inside the swatch folder by itself: no path
// separator (either kind), no drive on Windows, and not "." or "..". The
// filter puts the folder in front of whatever name it is given, so any
// other name could reach files outside it.
bool IsNameInSwatchFolder(const std::string& name);

// The filter's own rule for which names it offers, in the order the folder
// lists them.
using ::IsSwatchFileName;
using ::ListSwatchFiles;

}  // namespace oxhost
