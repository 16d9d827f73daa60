#include "ModuleFile.h"

#include <cstdint>

#include "ElfSections.h"
#include "bridge/platform/linux/ResourceBlob.h"
#include "host/HostError.h"
#include "hostapi/PiplKeys.h"

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

PiplProperties ReadFilterPipl(const std::string& path) {
    std::optional<std::vector<unsigned char>> bytes =
        ReadModuleResource(path, "PIPL", kPiplResourceId);
    if (!bytes) {
        throw HostError("'" + path + "' is not a filter plug-in: no PiPL resource " +
                        std::to_string(kPiplResourceId));
    }
    PiplProperties pipl = ParsePipl(bytes->data(), bytes->size(), path);
    if (pipl.kind != PIFilterKind) {
        throw HostError("'" + path + "' is not a filter plug-in: its PiPL kind is '" +
                        FourCharCodeText(pipl.kind) + "', not '8BFM'");
    }
    if (pipl.entryPoint.empty()) {
        throw HostError("'" + path + "' is not a filter plug-in: its PiPL names no entry point");
    }
    return pipl;
}

}  // namespace oxhost
