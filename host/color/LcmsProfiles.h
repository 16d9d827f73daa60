// The profiles of the colour-managed spaces: lcms's built-in sRGB and D50 Lab,
// a gray profile, and the user's CMYK output profile.
#pragma once

#include <string>

#include "host/color/LcmsHandles.h"

namespace oxhost {

// sRGB as lcms builds it (D65 white adapted to the D50 connection space).
LcmsProfile CreateSrgbProfile(LcmsContext& context);

// CIE Lab with the D50 white of the profile connection space.
LcmsProfile CreateLabD50Profile(LcmsContext& context);

// Gray with sRGB's tone curve and a D50 white, so that the neutral sRGB
// colour (v, v, v) and the gray value v are the same colour.
LcmsProfile CreateSrgbCurveGrayProfile(LcmsContext& context);

// Opens an ICC profile of CMYK data. Throws HostError naming the file when it
// cannot be read or parsed, or describes another colour space.
LcmsProfile OpenCmykProfile(LcmsContext& context, const std::string& path);

}  // namespace oxhost
