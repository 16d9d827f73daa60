// PNG files: through libpng on Linux, stb_image on Windows.
#pragma once

#include <string>

#include "host/image/Document.h"
#include "host/image/ImageProgress.h"

namespace oxhost {

// Reads any 8-bit or 16-bit PNG into an RGB document: grey and palette images
// become RGB, 16-bit samples are scaled to 8 bits, and an alpha channel or a
// tRNS transparency chunk gives hasAlpha. Pixel values are taken as stored;
// gamma and colour-profile chunks are ignored. Throws HostError for a missing,
// damaged or truncated file, or one with a side over kMaxDocumentSide.
// `progress` counts rows, and rows again for each pass of an interlaced file.
Document ReadPngFile(const std::string& path, const ImageProgress& progress = {});

// Writes an RGB or RGBA PNG atomically. Throws HostError for a CMYK document
// (before anything is written) or when the file cannot be written.
// `progress` counts the rows written.
void WritePngFile(const Document& document, const std::string& path,
                  const ImageProgress& progress = {});

}  // namespace oxhost
