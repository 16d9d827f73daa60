// Netpbm PAM files (P7), read and written without any library: the one
// lossless format every build of the host has, CMYK included.
//
// Tuple types read: RGB, RGB_ALPHA, CMYK, CMYK_ALPHA, GRAYSCALE and
// GRAYSCALE_ALPHA, with MAXVAL 255 only. Grey becomes RGB. CMYK samples in
// the file are ink amounts (0 = no ink), as in TIFF, and are inverted into
// the document's convention (255 = no ink) both ways. Header and pixels are
// read in one pass; memory is the document itself plus one row.
#pragma once

#include <string>

#include "host/image/Document.h"
#include "host/image/ImageProgress.h"

namespace oxhost {

// Throws HostError naming the file for a damaged header ("damaged PAM
// header (...)"), an unsupported one ("unsupported PAM: ..."), pixel data
// that ends early, or a side of zero or over kMaxDocumentSide. Reads the
// first image of a file that holds several (netpbm lets images follow each
// other); `progress` counts its rows.
Document ReadPamFile(const std::string& path, const ImageProgress& progress = {});

// The images of a PAM file: each a complete header followed by all its
// samples. Counting stops at anything else (and the file's end); at least 1.
int CountPamImages(const std::string& path);

// Writes RGB, RGB_ALPHA, CMYK or CMYK_ALPHA atomically. Throws HostError when
// the file cannot be written. `progress` counts the rows written.
void WritePamFile(const Document& document, const std::string& path,
                  const ImageProgress& progress = {});

}  // namespace oxhost
