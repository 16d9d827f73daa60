// On Windows there is no Little CMS: RGB (sRGB), Lab (D50 white) and Gray
// (sRGB's tone curve, D50 white) convert by their defining formulas through
// CIE XYZ, the same colour spaces the Linux build builds profiles for. CMYK
// stays on the formula over RGB that ColorConverter applies itself.
#include "ColorServices.h"
#include "host/HostError.h"
#include "host/color/ColorFormulas.h"
#include "host/color/ColorTransforms.h"

namespace oxhost {
namespace {

class FormulaTransforms : public ColorTransforms {
public:
    bool Manages(int16_t space) const override {
        return space == plugIncolorServicesRGBSpace || space == plugIncolorServicesLabSpace ||
               space == plugIncolorServicesGraySpace;
    }

    ColorValues Apply(int16_t sourceSpace, int16_t resultSpace,
                      const ColorValues& source) const override {
        return FromXyz(resultSpace, ToXyz(sourceSpace, source));
    }

private:
    static ColorValues ToXyz(int16_t space, const ColorValues& values) {
        switch (space) {
            case plugIncolorServicesLabSpace:
                return LabToXyz(values);
            case plugIncolorServicesGraySpace:
                return GrayToXyz(values);
            default:
                return RgbToXyz(values);
        }
    }

    static ColorValues FromXyz(int16_t space, const ColorValues& xyz) {
        switch (space) {
            case plugIncolorServicesLabSpace:
                return XyzToLab(xyz);
            case plugIncolorServicesGraySpace:
                return XyzToGray(xyz);
            default:
                return XyzToRgb(xyz);
        }
    }
};

}  // namespace

std::unique_ptr<const ColorTransforms> MakeColorTransforms(const std::string& cmykProfilePath) {
    if (!cmykProfilePath.empty()) {
        throw HostError(cmykProfilePath +
                        ": this build of oxhost has no colour management, so it cannot use ICC "
                        "profiles; leave out --cmyk-profile to convert CMYK by formula");
    }
    return std::make_unique<FormulaTransforms>();
}

}  // namespace oxhost
