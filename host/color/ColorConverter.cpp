#include "host/color/ColorConverter.h"

#include "ColorServices.h"
#include "ResultCodes.h"
#include "host/color/ColorFormulas.h"
#include "host/color/ColorTransforms.h"
#include "host/color/ComponentScaling.h"

namespace oxhost {
namespace {

// Spaces without a profile of their own are reached through RGB.
int16_t ManagedSpaceFor(int16_t space, const ColorTransforms& transforms) {
    return transforms.Manages(space) ? space : int16_t{plugIncolorServicesRGBSpace};
}

ColorValues ClampedRgb(const ColorValues& rgb) {
    ColorValues clamped = rgb;
    for (int i = 0; i < 3; ++i) {
        if (!(clamped.channel[i] > 0.0)) {
            clamped.channel[i] = 0.0;
        } else if (clamped.channel[i] > 1.0) {
            clamped.channel[i] = 1.0;
        }
    }
    return clamped;
}

ColorValues FormulaSpaceToRgb(int16_t space, const ColorValues& values) {
    if (space == plugIncolorServicesHSBSpace) {
        return HsbToRgb(values);
    }
    return CmykByFormulaToRgb(values);
}

// RGB from a transform may lie outside 0..1 (out of the sRGB gamut); the
// formulas expect it inside.
ColorValues RgbToFormulaSpace(int16_t space, const ColorValues& rgb) {
    if (space == plugIncolorServicesHSBSpace) {
        return RgbToHsb(ClampedRgb(rgb));
    }
    return RgbToCmykByFormula(ClampedRgb(rgb));
}

}  // namespace

ColorConverter::ColorConverter(const std::string& cmykProfilePath)
    : transforms_(MakeColorTransforms(cmykProfilePath)) {}

ColorConverter::~ColorConverter() = default;
ColorConverter::ColorConverter(ColorConverter&&) noexcept = default;
ColorConverter& ColorConverter::operator=(ColorConverter&&) noexcept = default;

OSErr ColorConverter::Convert(int16_t sourceSpace, int16_t resultSpace,
                              int16_t components[4]) const {
    if (!IsSupportedColorSpace(sourceSpace) || !IsSupportedColorSpace(resultSpace)) {
        return paramErr;
    }
    if (sourceSpace == resultSpace) {
        return noErr;
    }
    const int16_t managedSource = ManagedSpaceFor(sourceSpace, *transforms_);
    const int16_t managedResult = ManagedSpaceFor(resultSpace, *transforms_);

    ColorValues color = DecodeComponents(sourceSpace, components);
    if (managedSource != sourceSpace) {
        color = FormulaSpaceToRgb(sourceSpace, color);
    }
    if (managedSource != managedResult) {
        color = transforms_->Apply(managedSource, managedResult, color);
    }
    if (managedResult != resultSpace) {
        color = RgbToFormulaSpace(resultSpace, color);
    }
    EncodeComponents(resultSpace, color, components);
    return noErr;
}

bool ColorConverter::UsesCmykProfile() const {
    return transforms_->Manages(plugIncolorServicesCMYKSpace);
}

}  // namespace oxhost
