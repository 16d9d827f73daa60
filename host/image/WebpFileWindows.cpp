// The Windows build has no libwebp: WebP files are refused with a message
// that names the formats it does read.
#include "host/HostError.h"
#include "host/image/WebpFile.h"

namespace oxhost {

bool WebpFilesSupported() {
    return false;
}

Document ReadWebpFile(const std::string& path, const ImageProgress&) {
    throw HostError("'" + path +
                    "': this build of oxhost cannot read WebP files; it reads PNG, PAM and BMP "
                    "(convert the file to PNG first)");
}

}  // namespace oxhost
