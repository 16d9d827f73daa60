// The coloured page put back together: the original line art over the flats,
// as one image or as a layer of its own.
#pragma once

#include "host/image/Document.h"

namespace oxhost {

// The page as coloured: each pixel of `lineArt` in RGB (CMYK by the naive
// formula r = c * k / 255, alpha composited over white first,
// (v * a + 255 * (255 - a) + 127) / 255) multiplied over the RGB of `flats`
// (alpha ignored) per channel, (a * b + 127) / 255. The result is RGB without
// alpha. Throws HostError when the sizes differ, `flats` is not RGB, or the
// pixel data of either does not match its size.
Document MultiplyOver(const Document& lineArt, const Document& flats);

// The original line art as an RGBA layer for a layered file: RGB as above
// (CMYK converted, not composited), alpha kept when there is one, else
// opaque. Throws HostError when the pixel data does not match the size.
Document LineArtLayer(const Document& original);

}  // namespace oxhost
