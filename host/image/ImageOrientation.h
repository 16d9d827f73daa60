// The orientation a camera or scanner records in a JPEG's EXIF data (the
// TIFF Orientation tag), and turning a document so that it shows upright.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "host/image/Document.h"

namespace oxhost {

// The Orientation value (1 to 8) of the EXIF block `data` of `length` bytes:
// the body of an APP1 marker, "Exif\0\0" then a TIFF header and its first
// directory. 1 (as stored) when the block is not EXIF, has no valid
// Orientation, or is damaged; every offset is checked against `length`.
int ExifOrientation(const uint8_t* data, size_t length);

// Turns `document` from how it is stored to how the EXIF `orientation`
// says it is seen: 2 mirrors left to right, 3 turns half round, 4 mirrors
// top to bottom, 5 mirrors about the main diagonal, 6 turns a quarter
// clockwise, 7 mirrors about the other diagonal, 8 turns a quarter
// anticlockwise. 5 to 8 swap width and height and need a second buffer the
// size of the image (HostError naming `path` when it cannot be had); other
// values leave the document as it is.
void OrientDocument(Document& document, int orientation, const std::string& path);

}  // namespace oxhost
