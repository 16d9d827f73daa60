// How the samples of a TIFF's first image lie in the file, and the steps
// that turn decoded strips and tiles into document pixels; shared by the
// readers of TiffFileLinux.cpp and TiffStripsLinux.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/image/Document.h"

namespace oxhost {

// How the samples of the first image lie in the file.
struct TiffLayout {
    uint32_t width = 0;
    uint32_t height = 0;
    ColorModel model = ColorModel::RGB;
    uint16_t samplesPerPixel = 0;
    // 1 for grey, which the document holds as RGB.
    int colorSamples = 3;
    bool minIsWhite = false;
    // 2 for 16-bit samples, reduced to 8 bits as they are read.
    int bytesPerSample = 1;
    // 1-bit grey (scanned line art, often fax-compressed), 8 pixels to a
    // byte, each row starting on a byte; spread to 0 and 255 as it is read.
    bool bilevel = false;
    bool hasAlpha = false;
    bool premultipliedAlpha = false;
    bool separatePlanes = false;
    bool tiled = false;
    // A strip is a block as wide as the image.
    uint32_t blockWidth = 0;
    uint32_t blockHeight = 0;
};

// The bytes a row of `samples` samples takes in the file.
size_t FileRowBytes(const TiffLayout& layout, size_t samples);

// The file's samples of `rows` rows as 8-bit samples, `rowSamples` to a
// row: 16-bit ones reduced in place, 1-bit ones spread into `spread`.
const uint8_t* EightBitSamples(const TiffLayout& layout, uint8_t* samples, size_t rows,
                               size_t rowSamples, std::vector<uint8_t>& spread);

// Copies the block (of 8-bit samples) whose top left pixel is (top, left);
// `plane` is the sample it holds when planes are separate.
void CopyBlock(const uint8_t* block, const TiffLayout& layout, uint32_t top, uint32_t left,
               uint32_t rows, uint32_t columns, int plane, Document& document);

}  // namespace oxhost
