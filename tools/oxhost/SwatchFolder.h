// The swatch palettes a filter finds beside the host: the folder
// "Presets/Color Swatches/" in the running program's own folder, and the
// names in it that Tintflood offers.
#pragma once

#include <string>
#include <vector>

namespace oxhost {

// The swatch folder of the running program, with a trailing slash; the
// relative "Presets/Color Swatches/" when the program's path is unknown.
std::string SwatchFolder();

// Whether Tintflood offers a file of that name: longer than 4 characters and
// containing ".aco" anywhere, case-sensitive.
bool IsSwatchFileName(const std::string& name);

// The offered names in `folder`, in the order the directory lists them (not
// sorted); empty when the folder is missing or cannot be read.
std::vector<std::string> ListSwatchFiles(const std::string& folder);

}  // namespace oxhost
