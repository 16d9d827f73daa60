// Reading a document's pixels as RGB by formula, for the preparation steps
// and the composites; no colour management, so RGB and CMYK pages give the
// same figures on every platform.
#pragma once

#include <cstdint>

#include "host/image/Document.h"

namespace oxhost {

// Throws HostError naming `what` when the pixel data is not width * height
// pixels of the document's planes, or a side is negative.
void RequireWholeDocument(const Document& document, const char* what);

// RGB of one pixel's colour planes, alpha ignored. CMYK (255 = no ink) by the
// naive formula r = c * k / 255, likewise g from m and b from y, rounded.
inline void PixelRgb(const uint8_t* pixel, ColorModel model, uint8_t rgb[3]) {
    if (model == ColorModel::CMYK) {
        const unsigned black = pixel[3];
        rgb[0] = uint8_t((pixel[0] * black + 127) / 255);
        rgb[1] = uint8_t((pixel[1] * black + 127) / 255);
        rgb[2] = uint8_t((pixel[2] * black + 127) / 255);
    } else {
        rgb[0] = pixel[0];
        rgb[1] = pixel[1];
        rgb[2] = pixel[2];
    }
}

}  // namespace oxhost
