// A document as the host holds it between reading a file and writing one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace oxhost {

enum class ColorModel { RGB, CMYK };

// Pixels are interleaved: the colour planes (3 for RGB, 4 for CMYK) followed
// by the alpha plane when there is one. CMYK planes hold the plug-in
// interface's convention, 255 for no ink and 0 for full ink, whatever the file
// used. Alpha is 255 for opaque.
struct Document {
    int width = 0;
    int height = 0;
    ColorModel model = ColorModel::RGB;
    bool hasAlpha = false;
    std::vector<uint8_t> pixels;

    int ColorPlanes() const { return model == ColorModel::CMYK ? 4 : 3; }
    int TotalPlanes() const { return ColorPlanes() + (hasAlpha ? 1 : 0); }
    size_t RowBytes() const { return size_t(width) * size_t(TotalPlanes()); }
    uint8_t* Pixel(int row, int column) {
        return pixels.data() + size_t(row) * RowBytes() + size_t(column) * TotalPlanes();
    }
    const uint8_t* Pixel(int row, int column) const {
        return pixels.data() + size_t(row) * RowBytes() + size_t(column) * TotalPlanes();
    }
};

// Largest width or height the plug-in interface can address: coordinates are 16-bit.
constexpr int kMaxDocumentSide = 32767;

}  // namespace oxhost
