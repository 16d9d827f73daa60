#include "host/color/ComponentScaling.h"

#include <algorithm>
#include <cmath>

#include "ColorServices.h"

namespace oxhost {
namespace {

constexpr double kByteMax = 255.0;
constexpr double kInkMax = 100.0;
constexpr double kLightnessMax = 100.0;
constexpr double kLabOffset = 128.0;
constexpr int16_t kHueMax = 360;

double ClampedByte(int16_t component) {
    return std::clamp<int16_t>(component, 0, 255);
}

int16_t RoundedClamped(double value, int16_t low, int16_t high) {
    if (!(value >= low)) {  // NaN as well
        return low;
    }
    if (value >= high) {
        return high;
    }
    return static_cast<int16_t>(std::lround(value));
}

int16_t UnitToByte(double unit) {
    return RoundedClamped(unit * kByteMax, 0, 255);
}

}  // namespace

bool IsSupportedColorSpace(int16_t space) {
    switch (space) {
        case plugIncolorServicesRGBSpace:
        case plugIncolorServicesHSBSpace:
        case plugIncolorServicesCMYKSpace:
        case plugIncolorServicesLabSpace:
        case plugIncolorServicesGraySpace:
            return true;
        default:
            return false;
    }
}

ColorValues DecodeComponents(int16_t space, const int16_t components[4]) {
    ColorValues values;
    double* channel = values.channel;
    switch (space) {
        case plugIncolorServicesRGBSpace:
            for (int i = 0; i < 3; ++i) {
                channel[i] = ClampedByte(components[i]) / kByteMax;
            }
            break;
        case plugIncolorServicesHSBSpace:
            channel[0] = std::clamp<int16_t>(components[0], 0, kHueMax);
            channel[1] = ClampedByte(components[1]) / kByteMax;
            channel[2] = ClampedByte(components[2]) / kByteMax;
            break;
        case plugIncolorServicesCMYKSpace:
            for (int i = 0; i < 4; ++i) {
                channel[i] = (kByteMax - ClampedByte(components[i])) * kInkMax / kByteMax;
            }
            break;
        case plugIncolorServicesLabSpace:
            channel[0] = ClampedByte(components[0]) * kLightnessMax / kByteMax;
            channel[1] = ClampedByte(components[1]) - kLabOffset;
            channel[2] = ClampedByte(components[2]) - kLabOffset;
            break;
        case plugIncolorServicesGraySpace:
            channel[0] = ClampedByte(components[0]) / kByteMax;
            break;
        default:
            break;
    }
    return values;
}

void EncodeComponents(int16_t space, const ColorValues& values, int16_t components[4]) {
    const double* channel = values.channel;
    int16_t encoded[4] = {0, 0, 0, 0};
    switch (space) {
        case plugIncolorServicesRGBSpace:
            for (int i = 0; i < 3; ++i) {
                encoded[i] = UnitToByte(channel[i]);
            }
            break;
        case plugIncolorServicesHSBSpace:
            // 360 and 0 are the same hue; answer the canonical 0.
            encoded[0] = static_cast<int16_t>(RoundedClamped(channel[0], 0, kHueMax) % kHueMax);
            encoded[1] = UnitToByte(channel[1]);
            encoded[2] = UnitToByte(channel[2]);
            break;
        case plugIncolorServicesCMYKSpace:
            for (int i = 0; i < 4; ++i) {
                const int16_t ink = RoundedClamped(channel[i] * kByteMax / kInkMax, 0, 255);
                encoded[i] = static_cast<int16_t>(255 - ink);
            }
            break;
        case plugIncolorServicesLabSpace:
            encoded[0] = RoundedClamped(channel[0] * kByteMax / kLightnessMax, 0, 255);
            encoded[1] = RoundedClamped(channel[1] + kLabOffset, 0, 255);
            encoded[2] = RoundedClamped(channel[2] + kLabOffset, 0, 255);
            break;
        case plugIncolorServicesGraySpace:
            encoded[0] = UnitToByte(channel[0]);
            break;
        default:
            return;
    }
    std::copy(encoded, encoded + 4, components);
}

}  // namespace oxhost
