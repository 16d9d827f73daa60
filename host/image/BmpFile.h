// BMP files (Windows bitmaps), read without any library on every platform.
//
// Read: the core (OS/2 1.x) header and the Windows headers of 40 bytes and
// up (V2 to V5), 1-, 4- and 8-bit palette images, 16- and 32-bit images with
// the default layout or colour masks (BI_BITFIELDS, BI_ALPHABITFIELDS), and
// 24-bit ones; rows bottom-up (the usual) or top-down. Run-length and
// embedded JPEG or PNG data are refused. A file is checked against its size
// before any pixel memory is taken; memory is the document plus one row.
#pragma once

#include <string>

#include "host/image/Document.h"
#include "host/image/ImageProgress.h"

namespace oxhost {

// Reads a BMP into an RGB document, with alpha when colour masks give an
// alpha channel (the fourth byte of a plain 32-bit file is unused, so it is
// ignored). Throws HostError naming the file for a damaged file ("damaged BMP
// file (...)"), an unsupported one ("unsupported BMP: ..."), one whose pixel
// data ends early, or a side of zero or over kMaxDocumentSide. `progress`
// counts rows.
Document ReadBmpFile(const std::string& path, const ImageProgress& progress = {});

}  // namespace oxhost
