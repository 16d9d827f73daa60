#include "host/flat/InkMask.h"

#include <string>

#include "host/HostError.h"

namespace oxhost {

void RequireWholeMask(const InkMask& mask, const char* what) {
    if (mask.width < 0 || mask.height < 0 ||
        mask.ink.size() != size_t(mask.width) * size_t(mask.height)) {
        throw HostError(std::string(what) + ": the ink mask does not match its size");
    }
}

}  // namespace oxhost
