#include "host/color/ColorFormulas.h"

#include <algorithm>
#include <cmath>

namespace oxhost {
namespace {

constexpr double kDegreesPerSector = 60.0;
constexpr double kFullCircle = 360.0;
constexpr double kInkMax = 100.0;

ColorValues Rgb(double red, double green, double blue) {
    ColorValues rgb;
    rgb.channel[0] = red;
    rgb.channel[1] = green;
    rgb.channel[2] = blue;
    return rgb;
}

}  // namespace

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
