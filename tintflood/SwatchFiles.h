// Which files of a swatch folder Tintflood offers as palettes. The host
// compiles this file too, so that what it lists is what the filter offers.
#pragma once

#include <string>
#include <vector>

// Whether a folder entry's name is offered as a swatch file: longer than 4
// characters and containing ".aco" anywhere (case matters).
bool IsSwatchFileName(const std::string& name);

// The swatch files of the folder, in the order the folder lists them.
std::vector<std::string> ListSwatchFiles(const std::string& folder);
