// Colour spaces defined by formula rather than by a profile: HSB always, and
// CMYK when no CMYK profile is given, on top of RGB; and, where the build has
// no colour management, RGB, Lab and Gray through CIE XYZ. Units as in
// ColorValues; RGB inputs of the HSB and CMYK formulas are expected within
// 0..1.
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

// CIE XYZ relative to the D50 white (Y of white 1), the space the profile
// formulas meet in, as in ICC profiles. sRGB's primaries are adapted from
// its D65 white to D50 (Bradford); values outside 0..1 extend the tone curve
// symmetrically, so out-of-gamut colours come back unclamped.
ColorValues RgbToXyz(const ColorValues& rgb);
ColorValues XyzToRgb(const ColorValues& xyz);

// CIE L*a*b* with the D50 white.
ColorValues LabToXyz(const ColorValues& lab);
ColorValues XyzToLab(const ColorValues& xyz);

// Gray: the luminance Y through sRGB's tone curve, so that the neutral sRGB
// colour (v, v, v) and gray v are the same colour.
ColorValues GrayToXyz(const ColorValues& gray);
ColorValues XyzToGray(const ColorValues& xyz);

}  // namespace oxhost
