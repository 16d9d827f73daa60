#include "host/flat/DocumentPixels.h"

#include <string>

#include "host/HostError.h"

namespace oxhost {

void RequireWholeDocument(const Document& document, const char* what) {
    if (document.width < 0 || document.height < 0 ||
        document.pixels.size() !=
            size_t(document.width) * size_t(document.height) * size_t(document.TotalPlanes())) {
        throw HostError(std::string(what) + ": the pixel data does not match the image size");
    }
}

}  // namespace oxhost
