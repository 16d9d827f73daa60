#include "host/color/LcmsProfiles.h"

#include "host/HostError.h"

namespace oxhost {
namespace {

LcmsProfile CheckedProfile(cmsHPROFILE profile, LcmsContext& context, const char* what) {
    if (profile == nullptr) {
        throw HostError(std::string("colour management: cannot build the ") + what +
                        " profile: " + context.TakeLastError());
    }
    return LcmsProfile(profile);
}

}  // namespace

LcmsProfile CreateSrgbProfile(LcmsContext& context) {
    return CheckedProfile(cmsCreate_sRGBProfileTHR(context.Get()), context, "sRGB");
}

LcmsProfile CreateLabD50Profile(LcmsContext& context) {
    return CheckedProfile(cmsCreateLab4ProfileTHR(context.Get(), cmsD50_xyY()), context, "Lab");
}

LcmsProfile CreateSrgbCurveGrayProfile(LcmsContext& context) {
    // IEC 61966-2-1: Y = ((v + 0.055) / 1.055)^2.4 above 0.04045, v / 12.92 below.
    const cmsFloat64Number srgbCurve[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    LcmsToneCurve curve(cmsBuildParametricToneCurve(context.Get(), 4, srgbCurve));
    if (curve == nullptr) {
        throw HostError("colour management: cannot build the sRGB tone curve: " +
                        context.TakeLastError());
    }
    return CheckedProfile(cmsCreateGrayProfileTHR(context.Get(), cmsD50_xyY(), curve.get()),
                          context, "gray");
}

LcmsProfile OpenCmykProfile(LcmsContext& context, const std::string& path) {
    LcmsProfile profile(cmsOpenProfileFromFileTHR(context.Get(), path.c_str(), "r"));
    if (profile == nullptr) {
        throw HostError(path + ": cannot read the ICC profile (" + context.TakeLastError() + ")");
    }
    if (cmsGetColorSpace(profile.get()) != cmsSigCmykData) {
        throw HostError(path + ": the ICC profile is not a CMYK profile");
    }
    return profile;
}

}  // namespace oxhost
