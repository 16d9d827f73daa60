// Conversion of one colour between the colour spaces of the host interface
// (RGB, HSB, CMYK, Lab, Gray), in the interface's 16-bit component ranges.
//
// RGB is sRGB, Lab has a D50 white, Gray has sRGB's tone curve and a D50
// white; these convert through Little CMS (relative colorimetric) on Linux,
// by their formulas on Windows (ColorTransforms.h). HSB is a formula over
// RGB. CMYK converts through the user's CMYK profile when one is given,
// otherwise by the naive formula over RGB (k = 1 - max(r, g, b)).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "HostTypes.h"

namespace oxhost {

class ColorTransforms;

class ColorConverter {
public:
    // cmykProfilePath empty: CMYK by formula. Throws HostError naming the file
    // when the profile cannot be read, is not a CMYK profile, lcms cannot
    // convert with it, or the build has no colour management.
    explicit ColorConverter(const std::string& cmykProfilePath = std::string());
    ~ColorConverter();
    // A moved-from converter may only be destroyed or assigned to.
    ColorConverter(ColorConverter&&) noexcept;
    ColorConverter& operator=(ColorConverter&&) noexcept;

    // Converts components from sourceSpace to resultSpace in place; inputs
    // outside their ranges are clamped, results rounded to nearest, and
    // components the result space does not use set to 0. The same space in
    // and out returns the components exactly as given. Returns paramErr, with
    // the components untouched, when either space is not one of the five.
    // Safe to call from several threads at once.
    OSErr Convert(int16_t sourceSpace, int16_t resultSpace, int16_t components[4]) const;

    // Whether CMYK goes through a user's profile rather than the formula.
    bool UsesCmykProfile() const;

private:
    std::unique_ptr<const ColorTransforms> transforms_;
};

}  // namespace oxhost
