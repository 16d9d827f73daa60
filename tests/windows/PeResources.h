// The resources of a Windows module (PE file) read straight from its file,
// so that Linux-side tests can compare them with what the Linux modules carry.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bridge/platform/linux/DialogTemplate.h"

namespace oxtest {

// A resource type as the PE resource directory names it: a number for the
// system's own types (RT_BITMAP 2, RT_DIALOG 5, RT_STRING 6), a name for the
// others ("PIPL", "AETE").
struct PeResourceType {
    uint16_t number = 0;
    std::string name;  // empty for a numbered type
    bool operator<(const PeResourceType& other) const {
        return number != other.number ? number < other.number : name < other.name;
    }
};

constexpr uint16_t kPeBitmapType = 2;
constexpr uint16_t kPeDialogType = 5;
constexpr uint16_t kPeStringType = 6;

// Every resource of the file with a numbered id, first language only:
// (type, id) -> bytes. Throws std::runtime_error naming the file when it is
// not a PE file or its resource directory is damaged.
using PeResourceMap = std::map<std::pair<PeResourceType, uint16_t>, std::vector<uint8_t>>;
PeResourceMap ReadPeResources(const std::string& path);

// String `id` of the module's string tables (blocks of 16 counted UTF-16
// strings), in Windows-1252; nullopt when it has none.
std::optional<std::string> PeString(const PeResourceMap& resources, uint16_t id);

// A DIALOG (not DIALOGEX) template decoded into the Linux modules' form:
// system class ordinals become their names in upper case. Throws
// std::runtime_error on a template it cannot read.
oxres::DialogTemplate DecodePeDialog(const std::vector<uint8_t>& bytes);

}  // namespace oxtest
