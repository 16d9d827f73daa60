// The seam between the colour converter and what converts between the
// colour-managed spaces: Little CMS on Linux (ColorTransformTable), plain
// formulas on Windows, which has no Little CMS (ColorTransformsWindows.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/color/ColorValues.h"

namespace oxhost {

class ColorTransforms {
public:
    virtual ~ColorTransforms() = default;

    // True for RGB, Lab and Gray, and for CMYK when a CMYK profile is used.
    virtual bool Manages(int16_t space) const = 0;

    // Converts between two different managed spaces. Results may lie outside
    // the ranges of the result space (out of gamut); the caller clamps. Safe
    // to call from several threads at once.
    virtual ColorValues Apply(int16_t sourceSpace, int16_t resultSpace,
                              const ColorValues& source) const = 0;
};

// The transforms of this build. cmykProfilePath empty: no CMYK transforms.
// Throws HostError naming the file when the profile cannot be used, or, in a
// build without colour management, when a profile is given at all.
std::unique_ptr<const ColorTransforms> MakeColorTransforms(const std::string& cmykProfilePath);

}  // namespace oxhost
