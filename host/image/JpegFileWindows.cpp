// The Windows build has no libjpeg: JPEG files are refused with a message
// that names the formats it does read.
#include "host/HostError.h"
#include "host/image/JpegFile.h"

namespace oxhost {

bool JpegFilesSupported() {
    return false;
}

Document ReadJpegFile(const std::string& path, const ImageProgress&) {
    throw HostError("'" + path +
                    "': this build of oxhost cannot read JPEG files; it reads PNG, PAM and BMP "
                    "(convert the file to PNG first)");
}

}  // namespace oxhost
