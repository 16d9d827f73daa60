// The Windows build has no libtiff: TIFF files are refused with a message
// that names the formats it does read and write.
#include "host/HostError.h"
#include "host/image/TiffFile.h"

namespace oxhost {

bool TiffFilesSupported() {
    return false;
}

Document ReadTiffFile(const std::string& path, const ImageProgress&) {
    throw HostError("'" + path +
                    "': this build of oxhost cannot read TIFF files; it reads PNG, PAM and BMP");
}

TiffContent InspectTiffFile(const std::string&) {
    return TiffContent();
}

void WriteTiffFile(const Document&, const std::string& path, const ImageProgress&) {
    throw HostError("cannot write '" + path +
                    "': this build of oxhost cannot write TIFF files; use .png or .pam");
}

}  // namespace oxhost
