// Per-channel byte bounds: a colour is in range when each of its first
// channelCount channels lies within its bounds, both ends included.
#pragma once

#include <cstdint>

struct ColorRange {
    uint8_t low[4] = {0, 0, 0, 0};
    uint8_t high[4] = {0, 0, 0, 0};

    // Channel k of the colour lies at color + k * channelStep.
    bool Contains(const uint8_t* color, uint8_t channelCount, int32_t channelStep) const {
        for (uint8_t k = 0; k < channelCount; ++k) {
            const uint8_t value = color[k * channelStep];
            if (value < low[k] || value > high[k]) {
                return false;
            }
        }
        return true;
    }
};

// The colours too dark to fill with: every channel 90 or less, or in a CMYK
// document (`cmyk`) a fourth byte below 40 whatever the others, which the
// range tests by its 4 channels.
ColorRange TooDarkRange(bool cmyk);
