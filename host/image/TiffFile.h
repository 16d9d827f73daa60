// TIFF files, through libtiff where the build has it (not on Windows).
#pragma once

#include <string>

#include "host/image/Document.h"
#include "host/image/ImageProgress.h"

namespace oxhost {

// Whether this build reads and writes TIFF files at all; where it does not,
// both functions below only throw a HostError saying so.
bool TiffFilesSupported();

// Reads the first image of an 8-bit or 16-bit grey, RGB or CMYK TIFF, or of a
// 1-bit grey one (strips or tiles, planes interleaved or separate), with at
// most one extra sample, taken as alpha. Grey becomes RGB (1-bit samples 0
// and 255), 16-bit samples are rounded to 8 bits, CMYK samples are inverted
// into the document's convention (255 = no ink) and premultiplied alpha is
// undone. Throws HostError naming what is unsupported ("unsupported TIFF:
// Lab images") or what is damaged. `progress` counts rows (of every plane
// when planes are separate).
Document ReadTiffFile(const std::string& path, const ImageProgress& progress = {});

// The number of images (directories) of a TIFF file and the bits per
// sample of the first; {1, 8} when the file cannot be opened as a TIFF, and
// always where the build has no TIFF.
struct TiffContent {
    int pages = 1;
    int bitsPerSample = 8;
};
TiffContent InspectTiffFile(const std::string& path);

// Writes an 8-bit RGB(A) or CMYK(A) TIFF atomically: interleaved samples,
// deflate compression with a horizontal predictor, alpha marked as
// unassociated. Throws HostError when the file cannot be written. `progress`
// counts the rows written.
void WriteTiffFile(const Document& document, const std::string& path,
                   const ImageProgress& progress = {});

}  // namespace oxhost
