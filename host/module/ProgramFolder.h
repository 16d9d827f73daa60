// The folder of the running host program, where the modules and the swatch
// folder are looked for.
#pragma once

#include <string>

namespace oxhost {

// The running program's own file; "" when it cannot be found.
std::string ProgramPath();

// Without a trailing separator; "" when the program's own path cannot be found.
std::string ProgramFolder();

}  // namespace oxhost
