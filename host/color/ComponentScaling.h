// The interface's component ranges and their mapping to ColorValues:
// RGB 0..255; HSB hue 0..360, saturation and brightness 0..255; CMYK 0..255
// with 255 = no ink; Lab L 0..255 (L* x 255 / 100), a and b a* + 128 and
// b* + 128; Gray 0..255 from black to white.
#pragma once

#include <cstdint>

#include "host/color/ColorValues.h"

namespace oxhost {

// RGB, HSB, CMYK, Lab and Gray: the spaces the host converts between.
bool IsSupportedColorSpace(int16_t space);

// Reads the components of a supported space, clamping each to its range first.
ColorValues DecodeComponents(int16_t space, const int16_t components[4]);

// Writes the components of a supported space, rounded to nearest and clamped
// to their ranges; components the space does not use become 0.
void EncodeComponents(int16_t space, const ColorValues& values, int16_t components[4]);

}  // namespace oxhost
