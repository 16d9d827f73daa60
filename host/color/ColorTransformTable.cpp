#include "host/color/ColorTransformTable.h"

#include "ColorServices.h"
#include "host/HostError.h"
#include "host/color/LcmsProfiles.h"

namespace oxhost {
namespace {

// lcms pixel formats whose units are those of ColorValues.
cmsUInt32Number DoubleFormatOf(int16_t space) {
    switch (space) {
        case plugIncolorServicesCMYKSpace:
            return TYPE_CMYK_DBL;
        case plugIncolorServicesLabSpace:
            return TYPE_Lab_DBL;
        case plugIncolorServicesGraySpace:
            return TYPE_GRAY_DBL;
        default:
            return TYPE_RGB_DBL;
    }
}

const char* NameOf(int16_t space) {
    switch (space) {
        case plugIncolorServicesCMYKSpace:
            return "CMYK";
        case plugIncolorServicesLabSpace:
            return "Lab";
        case plugIncolorServicesGraySpace:
            return "Gray";
        default:
            return "RGB";
    }
}

}  // namespace

ColorTransformTable::ColorTransformTable(const std::string& cmykProfilePath) {
    std::array<LcmsProfile, kSpaceCodes> profiles;
    profiles[plugIncolorServicesRGBSpace] = CreateSrgbProfile(context_);
    profiles[plugIncolorServicesLabSpace] = CreateLabD50Profile(context_);
    profiles[plugIncolorServicesGraySpace] = CreateSrgbCurveGrayProfile(context_);
    if (!cmykProfilePath.empty()) {
        profiles[plugIncolorServicesCMYKSpace] = OpenCmykProfile(context_, cmykProfilePath);
    }
    for (int space = 0; space < kSpaceCodes; ++space) {
        managed_[space] = profiles[space] != nullptr;
    }
    BuildTransforms(profiles, cmykProfilePath);
}

void ColorTransformTable::BuildTransforms(const std::array<LcmsProfile, kSpaceCodes>& profiles,
                                          const std::string& cmykProfilePath) {
    for (int16_t source = 0; source < kSpaceCodes; ++source) {
        for (int16_t result = 0; result < kSpaceCodes; ++result) {
            if (source == result || !managed_[source] || !managed_[result]) {
                continue;
            }
            cmsHTRANSFORM transform = cmsCreateTransformTHR(
                context_.Get(), profiles[source].get(), DoubleFormatOf(source),
                profiles[result].get(), DoubleFormatOf(result), INTENT_RELATIVE_COLORIMETRIC, 0);
            if (transform == nullptr) {
                const bool involvesUserProfile = source == plugIncolorServicesCMYKSpace ||
                                                 result == plugIncolorServicesCMYKSpace;
                const std::string subject =
                    involvesUserProfile ? cmykProfilePath : std::string("colour management");
                throw HostError(subject + ": cannot convert " + NameOf(source) + " to " +
                                NameOf(result) + " (" + context_.TakeLastError() + ")");
            }
            transforms_[source][result].reset(transform);
        }
    }
}

bool ColorTransformTable::Manages(int16_t space) const {
    return space >= 0 && space < kSpaceCodes && managed_[space];
}

ColorValues ColorTransformTable::Apply(int16_t sourceSpace, int16_t resultSpace,
                                       const ColorValues& source) const {
    ColorValues result;
    cmsDoTransform(transforms_[sourceSpace][resultSpace].get(), source.channel, result.channel, 1);
    return result;
}

}  // namespace oxhost
