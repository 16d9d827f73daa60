// From a page of line art to an ink mask: how dark each pixel is, where the
// page's own threshold between ink and paper lies, and the mask itself.
// Each step is one pass over the pixels, no allocation but its result.
#pragma once

#include <cstdint>
#include <vector>

#include "host/flat/InkMask.h"
#include "host/image/Document.h"

namespace oxhost {

// Darkness 0..255 of every pixel, row-major: 255 - luminance, the luminance by
// Rec. 601 weights in integers, (77 R + 150 G + 29 B + 128) / 256, so white
// is 0, black 255, dark blue dark and light yellow light. Alpha is ink
// coverage: the darkness is scaled by alpha / 255 (rounded), so a transparent
// pixel is paper whatever its colour. CMYK pages (255 = no ink) go to RGB by
// the naive formula r = c * k / 255 (likewise g from m, b from y) first.
// Throws HostError when the pixel data does not match the size.
std::vector<uint8_t> PixelDarkness(const Document& page);

// Otsu's threshold on the histogram of `darkness`: the t in 1..255 that
// maximises the between-class variance of the classes below t and from t up,
// so that `ThresholdInk(..., t)` splits the page there. When the maximum spans
// a run of t (empty bins between the two classes) the middle of the run is
// taken. Fewer than two distinct values (a blank or all-black page, or no
// pixels) give 128.
int OtsuThreshold(const std::vector<uint8_t>& darkness);

// Ink where darkness >= threshold, paper below: threshold 0 makes everything
// ink, 256 nothing. Throws HostError when darkness is not width * height values.
InkMask ThresholdInk(const std::vector<uint8_t>& darkness, int width, int height, int threshold);

}  // namespace oxhost
