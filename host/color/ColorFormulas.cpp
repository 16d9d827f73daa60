#include "host/color/ColorFormulas.h"

#include <algorithm>
#include <cmath>

namespace oxhost {
namespace {

constexpr double kDegreesPerSector = 60.0;
constexpr double kFullCircle = 360.0;
constexpr double kInkMax = 100.0;

// The D50 white of the ICC connection space.
constexpr double kWhiteX = 0.9642;
constexpr double kWhiteZ = 0.8249;

// sRGB's linear RGB to D50 XYZ (Bradford-adapted primaries), and back.
constexpr double kRgbToXyz[3][3] = {{0.4360747, 0.3850649, 0.1430804},
                                    {0.2225045, 0.7168786, 0.0606169},
                                    {0.0139322, 0.0971045, 0.7141733}};
constexpr double kXyzToRgb[3][3] = {{3.1338561, -1.6168667, -0.4906146},
                                    {-0.9787684, 1.9161415, 0.0334540},
                                    {0.0719453, -0.2289914, 1.4052427}};

// CIE's constants of L*: (6/29)^3 and the slope of the linear part.
constexpr double kLabEpsilon = 216.0 / 24389.0;
constexpr double kLabKappa = 24389.0 / 27.0;

ColorValues Rgb(double red, double green, double blue) {
    ColorValues rgb;
    rgb.channel[0] = red;
    rgb.channel[1] = green;
    rgb.channel[2] = blue;
    return rgb;
}

// IEC 61966-2-1, mirrored for negative values.
double SrgbToLinear(double value) {
    const double magnitude = std::fabs(value);
    const double linear =
        magnitude <= 0.04045 ? magnitude / 12.92 : std::pow((magnitude + 0.055) / 1.055, 2.4);
    return std::copysign(linear, value);
}

double LinearToSrgb(double value) {
    const double magnitude = std::fabs(value);
    const double encoded =
        magnitude <= 0.0031308 ? magnitude * 12.92 : 1.055 * std::pow(magnitude, 1.0 / 2.4) - 0.055;
    return std::copysign(encoded, value);
}

ColorValues Multiply(const double matrix[3][3], const double vector[3]) {
    ColorValues result;
    for (int row = 0; row < 3; ++row) {
        result.channel[row] =
            matrix[row][0] * vector[0] + matrix[row][1] * vector[1] + matrix[row][2] * vector[2];
    }
    return result;
}

double LabCurve(double ratio) {
    return ratio > kLabEpsilon ? std::cbrt(ratio) : (kLabKappa * ratio + 16.0) / 116.0;
}

double InverseLabCurve(double value) {
    const double cube = value * value * value;
    return cube > kLabEpsilon ? cube : (116.0 * value - 16.0) / kLabKappa;
}

}  // namespace

ColorValues RgbToXyz(const ColorValues& rgb) {
    const double linear[3] = {SrgbToLinear(rgb.channel[0]), SrgbToLinear(rgb.channel[1]),
                              SrgbToLinear(rgb.channel[2])};
    return Multiply(kRgbToXyz, linear);
}

ColorValues XyzToRgb(const ColorValues& xyz) {
    ColorValues rgb = Multiply(kXyzToRgb, xyz.channel);
    for (int i = 0; i < 3; ++i) {
        rgb.channel[i] = LinearToSrgb(rgb.channel[i]);
    }
    return rgb;
}

ColorValues LabToXyz(const ColorValues& lab) {
    const double fy = (lab.channel[0] + 16.0) / 116.0;
    const double fx = fy + lab.channel[1] / 500.0;
    const double fz = fy - lab.channel[2] / 200.0;
    ColorValues xyz;
    xyz.channel[0] = InverseLabCurve(fx) * kWhiteX;
    xyz.channel[1] = InverseLabCurve(fy);
    xyz.channel[2] = InverseLabCurve(fz) * kWhiteZ;
    return xyz;
}

ColorValues XyzToLab(const ColorValues& xyz) {
    const double fx = LabCurve(xyz.channel[0] / kWhiteX);
    const double fy = LabCurve(xyz.channel[1]);
    const double fz = LabCurve(xyz.channel[2] / kWhiteZ);
    ColorValues lab;
    lab.channel[0] = 116.0 * fy - 16.0;
    lab.channel[1] = 500.0 * (fx - fy);
    lab.channel[2] = 200.0 * (fy - fz);
    return lab;
}

ColorValues GrayToXyz(const ColorValues& gray) {
    const double luminance = SrgbToLinear(gray.channel[0]);
    ColorValues xyz;
    xyz.channel[0] = luminance * kWhiteX;
    xyz.channel[1] = luminance;
    xyz.channel[2] = luminance * kWhiteZ;
    return xyz;
}

ColorValues XyzToGray(const ColorValues& xyz) {
    ColorValues gray;
    gray.channel[0] = LinearToSrgb(xyz.channel[1]);
    return gray;
}

ColorValues RgbToHsb(const ColorValues& rgb) {
    const double red = rgb.channel[0];
    const double green = rgb.channel[1];
    const double blue = rgb.channel[2];
    const double brightest = std::max({red, green, blue});
    const double darkest = std::min({red, green, blue});
    const double spread = brightest - darkest;

    double hue = 0.0;
    if (spread > 0.0) {
        if (brightest == red) {
            hue = (green - blue) / spread;
        } else if (brightest == green) {
            hue = (blue - red) / spread + 2.0;
        } else {
            hue = (red - green) / spread + 4.0;
        }
        hue *= kDegreesPerSector;
        if (hue < 0.0) {
            hue += kFullCircle;
        }
    }
    ColorValues hsb;
    hsb.channel[0] = hue;
    hsb.channel[1] = brightest > 0.0 ? spread / brightest : 0.0;
    hsb.channel[2] = brightest;
    return hsb;
}

ColorValues HsbToRgb(const ColorValues& hsb) {
    double sectorPosition = std::fmod(hsb.channel[0], kFullCircle) / kDegreesPerSector;
    if (sectorPosition < 0.0) {
        sectorPosition += 6.0;
    }
    const int sector = static_cast<int>(sectorPosition);
    const double within = sectorPosition - sector;
    const double saturation = hsb.channel[1];
    const double brightness = hsb.channel[2];

    const double lowest = brightness * (1.0 - saturation);
    const double falling = brightness * (1.0 - saturation * within);
    const double rising = brightness * (1.0 - saturation * (1.0 - within));
    switch (sector) {
        case 0:
            return Rgb(brightness, rising, lowest);
        case 1:
            return Rgb(falling, brightness, lowest);
        case 2:
            return Rgb(lowest, brightness, rising);
        case 3:
            return Rgb(lowest, falling, brightness);
        case 4:
            return Rgb(rising, lowest, brightness);
        default:
            return Rgb(brightness, lowest, falling);
    }
}

ColorValues RgbToCmykByFormula(const ColorValues& rgb) {
    const double black = 1.0 - std::max({rgb.channel[0], rgb.channel[1], rgb.channel[2]});
    ColorValues cmyk;
    cmyk.channel[3] = black * kInkMax;
    if (black >= 1.0) {
        return cmyk;  // no colour left to separate: pure K
    }
    for (int i = 0; i < 3; ++i) {
        cmyk.channel[i] = (1.0 - rgb.channel[i] - black) / (1.0 - black) * kInkMax;
    }
    return cmyk;
}

ColorValues CmykByFormulaToRgb(const ColorValues& cmyk) {
    const double black = cmyk.channel[3] / kInkMax;
    const double white = 1.0 - black;
    return Rgb((1.0 - cmyk.channel[0] / kInkMax) * white, (1.0 - cmyk.channel[1] / kInkMax) * white,
               (1.0 - cmyk.channel[2] / kInkMax) * white);
}

}  // namespace oxhost
