// The C++ source through which a module embeds its resource container: the
// bytes as a hidden array in section "oxres", where the module finds them
// (bridge/platform/linux/ModuleResourcesLinux.cpp) and where a host reads
// them from the file without loading it.
#pragma once

#include <string>
#include <vector>

namespace oxrc {

// Defines oxEmbeddedResources (the bytes of `blob`) and
// oxEmbeddedResourcesSize. `scriptName` is only mentioned in a comment.
std::string EmbeddedResourceSource(const std::vector<unsigned char>& blob,
                                   const std::string& scriptName);

}  // namespace oxrc
