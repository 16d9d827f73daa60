// JPEG files (scanned pages mostly come as JPEG): read only, through
// libjpeg-turbo where the build has it (not on Windows).
#pragma once

#include <string>

#include "host/image/Document.h"
#include "host/image/ImageProgress.h"

namespace oxhost {

// Whether this build reads JPEG files; where it does not, ReadJpegFile only
// throws a HostError saying so.
bool JpegFilesSupported();

// Reads a baseline or progressive JPEG: grey and YCbCr images become RGB
// documents, CMYK and YCCK images CMYK ones (inverted into the document's
// convention unless the file carries the Adobe marker, whose samples already
// are 255 for no ink). An EXIF orientation is applied, so the document is
// upright (turned a quarter, its width and height swap). Throws HostError for
// a missing, damaged or truncated file, or one with a side over
// kMaxDocumentSide. `progress` counts a share of the decoding in steps of its
// own (a progressive file does most of its work before the first row).
Document ReadJpegFile(const std::string& path, const ImageProgress& progress = {});

}  // namespace oxhost
