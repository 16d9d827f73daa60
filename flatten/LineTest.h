// Which pixels are line work: dark pixels by a fixed threshold per image mode.
#pragma once

#include <algorithm>
#include <cstdint>

#include "ImageModes.h"

class LineTest {
public:
    LineTest(int16_t imageMode, int16_t colorPlanes, int32_t planeStep)
        : cmyk(imageMode == plugInModeCMYKColor),
          planeCount(uint8_t(colorPlanes)),
          planeStep(planeStep) {}

    // CMYK: the black plane below 60 (the buffer holds 255 for no ink, so
    // this is heavy black ink). Other modes: every colour plane 8 or less.
    bool IsLinePixel(const uint8_t* pixel) const {
        if (cmyk) {
            return pixel[3 * planeStep] < kCmykLineLimit;
        }
        for (uint8_t plane = 0; plane < planeCount; ++plane) {
            if (pixel[plane * planeStep] > kDarkLimit) {
                return false;
            }
        }
        return true;
    }

    // The complement, without early exits (the planes are few).
    bool IsColoured(const uint8_t* pixel) const {
        if (cmyk) {
            return pixel[3 * planeStep] >= kCmykLineLimit;
        }
        uint8_t most = 0;
        for (uint8_t plane = 0; plane < planeCount; ++plane) {
            most = std::max(most, pixel[plane * planeStep]);
        }
        return most > kDarkLimit;
    }

    static constexpr uint8_t kCmykLineLimit = 60;
    static constexpr uint8_t kDarkLimit = 8;

private:
    bool cmyk;
    uint8_t planeCount;
    int32_t planeStep;
};
