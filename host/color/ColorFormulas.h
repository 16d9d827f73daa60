// Colour spaces defined by formula on top of RGB rather than by a profile:
// HSB always, and CMYK when no CMYK profile is given. Units as in ColorValues;
// RGB inputs are expected within 0..1.
#pragma once

#include "host/color/ColorValues.h"

namespace oxhost {

// Hue of a grey is 0; saturation of black is 0.
ColorValues RgbToHsb(const ColorValues& rgb);

// Hue 360 is hue 0.
ColorValues HsbToRgb(const ColorValues& hsb);

// Naive separation with full black generation: k = 1 - max(r, g, b),
// c = (1 - r - k) / (1 - k) and likewise m, y; black is pure K.
ColorValues RgbToCmykByFormula(const ColorValues& rgb);

// Inverse of the separation: r = (1 - c)(1 - k) and likewise g, b.
ColorValues CmykByFormulaToRgb(const ColorValues& cmyk);

}  // namespace oxhost
