// On Linux a module carries its resources as one container in its ELF
// section "oxres", read straight from the file.
#include <cstdint>

#include "ElfSections.h"
#include "ModuleFile.h"
#include "bridge/platform/linux/ResourceBlob.h"

namespace oxhost {

std::optional<std::vector<unsigned char>> ReadModuleResource(const std::string& path,
                                                             const char* type, int id) {
    std::optional<std::vector<unsigned char>> section = FindElfSection(path, kResourceSectionName);
    if (!section || id < 0) {
        return std::nullopt;
    }
    const unsigned char* data = nullptr;
    size_t size = 0;
    if (!oxres::FindResourceInBlob(section->data(), section->size(), type,
                                   static_cast<uint32_t>(id), &data, &size)) {
        return std::nullopt;
    }
    return std::vector<unsigned char>(data, data + size);
}

}  // namespace oxhost
