// Little CMS transforms between the colour-managed spaces: RGB as sRGB, Lab
// with a D50 white, Gray with sRGB's tone curve and a D50 white, and CMYK
// when the user gives a CMYK profile. Every transform is built at
// construction, so a conversion does no lcms setup and the table is
// read-only (safe to share between threads) afterwards. Transforms work in
// double precision with the relative colorimetric intent and no black point
// compensation.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "host/color/ColorTransforms.h"
#include "host/color/ColorValues.h"
#include "host/color/LcmsHandles.h"

namespace oxhost {

class ColorTransformTable : public ColorTransforms {
public:
    // cmykProfilePath empty: no CMYK transforms. Throws HostError naming the
    // file when the profile is unreadable, not CMYK, or unusable for
    // conversions in both directions.
    explicit ColorTransformTable(const std::string& cmykProfilePath);
    ColorTransformTable(const ColorTransformTable&) = delete;
    ColorTransformTable& operator=(const ColorTransformTable&) = delete;

    // True for RGB, Lab and Gray, and for CMYK when a profile was given.
    bool Manages(int16_t space) const override;

    // Converts between two different managed spaces. Results may lie outside
    // the ranges of the result space (out of gamut); the caller clamps.
    ColorValues Apply(int16_t sourceSpace, int16_t resultSpace,
                      const ColorValues& source) const override;

private:
    static constexpr int kSpaceCodes = 5;  // codes 0..4 of the interface

    void BuildTransforms(const std::array<LcmsProfile, kSpaceCodes>& profiles,
                         const std::string& cmykProfilePath);

    LcmsContext context_;  // first member: outlives the transforms
    std::array<std::array<LcmsTransform, kSpaceCodes>, kSpaceCodes> transforms_;
    std::array<bool, kSpaceCodes> managed_{};
};

}  // namespace oxhost
