// WebP files: read only, through libwebp where the build has it (not on
// Windows).
#pragma once

#include <string>

#include "host/image/Document.h"
#include "host/image/ImageProgress.h"

namespace oxhost {

// Whether this build reads WebP files; where it does not, ReadWebpFile only
// throws a HostError saying so.
bool WebpFilesSupported();

// Reads a lossy or lossless WebP into an RGB document, with alpha when the
// file has an alpha channel; of an animation, the first frame as it is
// shown (on the whole canvas). Throws HostError for a missing, damaged or
// truncated file, or one over the pixel budget. `progress` counts rows as
// they decode (an animation's frame comes whole).
Document ReadWebpFile(const std::string& path, const ImageProgress& progress = {});

}  // namespace oxhost
