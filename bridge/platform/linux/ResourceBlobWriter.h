// Builds the resource container described in ResourceBlob.h. Used by the
// resource compiler and by tests; plug-in modules only read containers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace oxres {

struct Resource {
    std::string type;  // 1 to 8 characters, stored as given
    uint32_t id = 0;
    std::vector<unsigned char> data;
};

// The container holding `resources` in the given order. Throws
// std::invalid_argument for a type name that is empty or longer than 8
// characters; (type, id) pairs are expected to be unique.
std::vector<unsigned char> WriteResourceBlob(const std::vector<Resource>& resources);

}  // namespace oxres
