// Settings records for the tests: one whose every field differs from the
// defaults, and a field-by-field comparison that names the field that differs.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tintflood/TintfloodSettings.h"

namespace scripttest {

inline TintfloodSettings DistinctiveSettings() {
    TintfloodSettings settings;
    settings.fillColor = RGBColor16{0x1122, 0x3344, 0x5566};
    std::strcpy(settings.paletteFile, "Pastel Tones.aco");
    settings.tolerance = 0xA1B2;
    settings.reservedFlag = 1;
    settings.randomColors = 1;
    settings.measureArea = 1;
    settings.flagAreas = 1;
    settings.flagColor = RGBColor16{0x7788, 0x99AA, 0xBBCC};
    settings.flagSize = 0xC1D2E3F4;
    settings.joinAreas = 1;
    settings.joinSize = 0x01020304;
    return settings;
}

inline void ExpectSameColor(const RGBColor16& actual, const RGBColor16& expected,
                            const char* field) {
    EXPECT_EQ(actual.red, expected.red) << field;
    EXPECT_EQ(actual.green, expected.green) << field;
    EXPECT_EQ(actual.blue, expected.blue) << field;
}

inline void ExpectSameSettings(const TintfloodSettings& actual, const TintfloodSettings& expected) {
    EXPECT_EQ(actual.signature, expected.signature);
    EXPECT_EQ(actual.version, expected.version);
    EXPECT_EQ(actual.byteOrderFlag, expected.byteOrderFlag);
    ExpectSameColor(actual.fillColor, expected.fillColor, "fillColor");
    EXPECT_EQ(0, std::memcmp(actual.paletteFile, expected.paletteFile, kPaletteFileSize))
        << "paletteFile \"" << std::string(actual.paletteFile, kPaletteFileSize - 1).c_str()
        << "\"";
    EXPECT_EQ(actual.tolerance, expected.tolerance);
    EXPECT_EQ(actual.reservedFlag, expected.reservedFlag);
    EXPECT_EQ(actual.randomColors, expected.randomColors);
    EXPECT_EQ(actual.measureArea, expected.measureArea);
    EXPECT_EQ(actual.flagAreas, expected.flagAreas);
    ExpectSameColor(actual.flagColor, expected.flagColor, "flagColor");
    EXPECT_EQ(actual.flagSize, expected.flagSize);
    EXPECT_EQ(actual.joinAreas, expected.joinAreas);
    EXPECT_EQ(actual.joinSize, expected.joinSize);
}

}  // namespace scripttest
