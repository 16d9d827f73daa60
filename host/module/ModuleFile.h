// Resources of a plug-in module read from its file, without running any of
// its code: from its ELF section on Linux, from the resources of the DLL,
// mapped as a data file, on Windows.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Pipl.h"

namespace oxhost {

// The ELF section in which a module carries its resource container.
constexpr char kResourceSectionName[] = "oxres";

// Resource (type, id) of the module file at `path`, or nullopt when the
// module has no such resource (or no resources at all). Throws HostError when
// the file cannot be read or is no module of this platform (ELF, or PE on
// Windows). On Windows "DIALOG" and "BITMAP" are the system's own resource
// types, so a dialog comes back as the system's dialog template.
std::optional<std::vector<unsigned char>> ReadModuleResource(const std::string& path,
                                                             const char* type, int id);

// The PiPL of the module at `path`, checked to describe a filter: kind
// '8BFM' and an entry point name. Throws HostError naming the file otherwise.
PiplProperties ReadFilterPipl(const std::string& path);

}  // namespace oxhost
