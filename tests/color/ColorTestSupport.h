// Shorthands shared by the colour tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

#include "ColorServices.h"
#include "ResultCodes.h"
#include "host/color/ColorConverter.h"

namespace oxtest {

using Components = std::array<int16_t, 4>;

constexpr int16_t kRgb = plugIncolorServicesRGBSpace;
constexpr int16_t kHsb = plugIncolorServicesHSBSpace;
constexpr int16_t kCmyk = plugIncolorServicesCMYKSpace;
constexpr int16_t kLab = plugIncolorServicesLabSpace;
constexpr int16_t kGray = plugIncolorServicesGraySpace;

// The converted components; a failed conversion fails the calling test.
inline Components Converted(const oxhost::ColorConverter& converter, int16_t sourceSpace,
                            int16_t resultSpace, Components components) {
    EXPECT_EQ(converter.Convert(sourceSpace, resultSpace, components.data()), noErr);
    return components;
}

// Largest difference between corresponding components.
inline int LargestDifference(const Components& left, const Components& right) {
    int largest = 0;
    for (std::size_t i = 0; i < left.size(); ++i) {
        largest = std::max(largest, std::abs(left[i] - right[i]));
    }
    return largest;
}

}  // namespace oxtest
