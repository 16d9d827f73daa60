// Reads one section of an ELF file (32- or 64-bit, little-endian) straight
// from the file, without loading it: how the host reaches the resources of a
// plug-in module before it lets any of the module's code run.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace oxhost {

// The bytes of section `sectionName` of the ELF file at `path`, or nullopt
// when the file has no section of that name. Every offset and size is checked
// against the file size. Throws HostError, naming the file, when it cannot be
// read, is not a little-endian ELF file, or is truncated or inconsistent.
std::optional<std::vector<unsigned char>> FindElfSection(const std::string& path,
                                                         const std::string& sectionName);

// As FindElfSection, but a missing section is a HostError too.
std::vector<unsigned char> ReadElfSection(const std::string& path, const std::string& sectionName);

}  // namespace oxhost
