#include <gtest/gtest.h>

#include <vector>

#include "ColorTestSupport.h"
#include "host/color/ColorConverter.h"
#include "host/color/ColorFormulas.h"
#include "host/color/ComponentScaling.h"

namespace oxtest {
namespace {

using oxhost::ColorConverter;

class ColorConverterTest : public ::testing::Test {
protected:
    Components Convert(int16_t sourceSpace, int16_t resultSpace, Components components) const {
        return Converted(converter, sourceSpace, resultSpace, components);
    }

    static std::vector<Components> RgbGrid(bool neutralsOnly) {
        const int16_t levels[] = {0, 1, 37, 64, 127, 128, 191, 222, 254, 255};
        std::vector<Components> grid;
        for (int16_t red : levels) {
            for (int16_t green : levels) {
                for (int16_t blue : levels) {
                    if (!neutralsOnly || (red == green && green == blue)) {
                        grid.push_back({red, green, blue, 0});
                    }
                }
            }
        }
        return grid;
    }

    // Largest channel error of RGB -> space -> RGB over the grid.
    int WorstRgbRoundTrip(int16_t space, bool neutralsOnly) const {
        int worst = 0;
        for (const Components& rgb : RgbGrid(neutralsOnly)) {
            const Components back = Convert(space, kRgb, Convert(kRgb, space, rgb));
            worst = std::max(worst, LargestDifference(rgb, back));
        }
        return worst;
    }

    // Largest component error of Lab -> RGB -> Lab over the Lab colours of the grid.
    int WorstLabRoundTrip() const {
        int worst = 0;
        for (const Components& rgb : RgbGrid(false)) {
            const Components lab = Convert(kRgb, kLab, rgb);
            const Components back = Convert(kRgb, kLab, Convert(kLab, kRgb, lab));
            worst = std::max(worst, LargestDifference(lab, back));
        }
        return worst;
    }

    const ColorConverter converter;
};

TEST_F(ColorConverterTest, SameSpaceReturnsComponentsExactly) {
    const Components unusual = {17, 254, 3, 99};
    for (int16_t space : {kRgb, kHsb, kCmyk, kLab, kGray}) {
        EXPECT_EQ(Convert(space, space, unusual), unusual) << "space " << space;
    }
}

TEST_F(ColorConverterTest, RgbToLabUsesD50WhiteAndScaledComponents) {
    EXPECT_EQ(Convert(kRgb, kLab, {255, 255, 255, 0}), (Components{255, 128, 128, 0}));
    EXPECT_EQ(Convert(kRgb, kLab, {0, 0, 0, 0}), (Components{0, 128, 128, 0}));
    // sRGB red is L* 54.29, a* 80.81, b* 69.89 in D50 Lab (Bradford adaptation);
    // D65 Lab would give 53.24, 80.09, 67.20, that is 136, 208, 195.
    const Components red = Convert(kRgb, kLab, {255, 0, 0, 0});
    EXPECT_LE(LargestDifference(red, {138, 209, 198, 0}), 1)
        << red[0] << " " << red[1] << " " << red[2];
    EXPECT_EQ(Convert(kLab, kRgb, {255, 128, 128, 0}), (Components{255, 255, 255, 0}));
}

TEST_F(ColorConverterTest, HsbFollowsTheHexconeFormula) {
    EXPECT_EQ(Convert(kRgb, kHsb, {255, 0, 0, 0}), (Components{0, 255, 255, 0}));
    EXPECT_EQ(Convert(kRgb, kHsb, {0, 255, 0, 0}), (Components{120, 255, 255, 0}));
    EXPECT_EQ(Convert(kRgb, kHsb, {0, 0, 255, 0}), (Components{240, 255, 255, 0}));
    EXPECT_EQ(Convert(kRgb, kHsb, {255, 128, 0, 0}), (Components{30, 255, 255, 0}));
    EXPECT_EQ(Convert(kRgb, kHsb, {255, 0, 128, 0}), (Components{330, 255, 255, 0}));
    EXPECT_EQ(Convert(kRgb, kHsb, {128, 128, 128, 0}), (Components{0, 0, 128, 0}));
    EXPECT_EQ(Convert(kRgb, kHsb, {100, 50, 25, 0}), (Components{20, 191, 100, 0}));
}

TEST_F(ColorConverterTest, HsbHue360And0AreBothRed) {
    EXPECT_EQ(Convert(kHsb, kRgb, {0, 255, 255, 0}), (Components{255, 0, 0, 0}));
    EXPECT_EQ(Convert(kHsb, kRgb, {360, 255, 255, 0}), (Components{255, 0, 0, 0}));
    EXPECT_EQ(Convert(kHsb, kRgb, {60, 255, 255, 0}), (Components{255, 255, 0, 0}));
    EXPECT_EQ(Convert(kHsb, kRgb, {200, 0, 77, 0}), (Components{77, 77, 77, 0}));
}

TEST_F(ColorConverterTest, GrayIsLuminanceWithSrgbToneCurve) {
    EXPECT_EQ(Convert(kRgb, kGray, {255, 255, 255, 0}), (Components{255, 0, 0, 0}));
    EXPECT_EQ(Convert(kRgb, kGray, {0, 0, 0, 0}), (Components{0, 0, 0, 0}));
    EXPECT_LE(LargestDifference(Convert(kGray, kRgb, {128, 0, 0, 0}), {128, 128, 128, 0}), 1);
    const int16_t red = Convert(kRgb, kGray, {255, 0, 0, 0})[0];
    const int16_t green = Convert(kRgb, kGray, {0, 255, 0, 0})[0];
    const int16_t blue = Convert(kRgb, kGray, {0, 0, 255, 0})[0];
    EXPECT_GT(green, red);
    EXPECT_GT(red, blue);
    EXPECT_EQ(Convert(kGray, kLab, {255, 0, 0, 0}), (Components{255, 128, 128, 0}));
}

TEST_F(ColorConverterTest, CmykFallbackUsesNoInkAs255) {
    EXPECT_FALSE(converter.UsesCmykProfile());
    EXPECT_EQ(Convert(kRgb, kCmyk, {255, 0, 0, 0}), (Components{255, 0, 0, 255}));
    EXPECT_EQ(Convert(kRgb, kCmyk, {0, 0, 0, 0}), (Components{255, 255, 255, 0}));
    EXPECT_EQ(Convert(kRgb, kCmyk, {255, 255, 255, 0}), (Components{255, 255, 255, 255}));
    EXPECT_EQ(Convert(kRgb, kCmyk, {128, 128, 128, 0}), (Components{255, 255, 255, 128}));
    EXPECT_EQ(Convert(kCmyk, kRgb, {0, 255, 255, 255}), (Components{0, 255, 255, 0}));
    EXPECT_EQ(Convert(kCmyk, kRgb, {0, 0, 0, 0}), (Components{0, 0, 0, 0}));
    EXPECT_EQ(Convert(kCmyk, kHsb, {255, 0, 0, 255}), (Components{0, 255, 255, 0}));
}

TEST_F(ColorConverterTest, RoundTripsThroughEverySpaceStayClose) {
    // Whole HSB degrees move a saturated channel by up to 255 / 120 levels.
    EXPECT_LE(WorstRgbRoundTrip(kHsb, false), 2);
    EXPECT_LE(WorstRgbRoundTrip(kCmyk, false), 1);
    EXPECT_LE(WorstRgbRoundTrip(kGray, true), 1);
    // One step of 8-bit a* or b* moves a dark channel beside bright ones by up
    // to 19 levels, so Lab is checked from its own side and on greys.
    EXPECT_LE(WorstLabRoundTrip(), 1);
    EXPECT_LE(WorstRgbRoundTrip(kLab, true), 1);
}

// Where there is no Little CMS, RGB, Lab and Gray convert by these formulas
// through XYZ; they land on the same components as lcms, give or take one.
TEST_F(ColorConverterTest, XyzFormulasAgreeWithLittleCms) {
    const auto byFormula = [](int16_t space, const Components& rgb) {
        const oxhost::ColorValues xyz =
            oxhost::RgbToXyz(oxhost::DecodeComponents(kRgb, rgb.data()));
        Components result{};
        oxhost::EncodeComponents(
            space, space == kLab ? oxhost::XyzToLab(xyz) : oxhost::XyzToGray(xyz), result.data());
        return result;
    };
    const auto backByFormula = [](int16_t space, const Components& components) {
        const oxhost::ColorValues values = oxhost::DecodeComponents(space, components.data());
        Components rgb{};
        oxhost::EncodeComponents(
            kRgb,
            oxhost::XyzToRgb(space == kLab ? oxhost::LabToXyz(values) : oxhost::GrayToXyz(values)),
            rgb.data());
        return rgb;
    };
    int worst = 0;
    for (const Components& rgb : RgbGrid(false)) {
        for (int16_t space : {kLab, kGray}) {
            const Components converted = Convert(kRgb, space, rgb);
            worst = std::max(worst, LargestDifference(byFormula(space, rgb), converted));
            worst = std::max(worst, LargestDifference(backByFormula(space, converted),
                                                      Convert(space, kRgb, converted)));
        }
    }
    EXPECT_LE(worst, 1);
}

TEST_F(ColorConverterTest, OutOfRangeInputsAreClamped) {
    EXPECT_EQ(Convert(kRgb, kLab, {300, -20, 1000, 0}), Convert(kRgb, kLab, {255, 0, 255, 0}));
    EXPECT_EQ(Convert(kHsb, kRgb, {400, 300, -1, 0}), Convert(kHsb, kRgb, {360, 255, 0, 0}));
    EXPECT_EQ(Convert(kHsb, kRgb, {-90, 255, 255, 0}), Convert(kHsb, kRgb, {0, 255, 255, 0}));
    EXPECT_EQ(Convert(kCmyk, kRgb, {-5, 999, 128, -32768}), Convert(kCmyk, kRgb, {0, 255, 128, 0}));
    EXPECT_EQ(Convert(kLab, kRgb, {32767, -7, 260, 0}), Convert(kLab, kRgb, {255, 0, 255, 0}));
    EXPECT_EQ(Convert(kGray, kRgb, {-1, 0, 0, 0}), Convert(kGray, kRgb, {0, 0, 0, 0}));
}

// The formulas of HSB and CMYK must see the clamped RGB of a Lab colour
// outside sRGB, as a plug-in converting that RGB would.
TEST_F(ColorConverterTest, OutOfGamutLabReachesFormulaSpacesClamped) {
    const Components labOutsideSrgb = {128, 255, 0, 0};
    const Components rgb = Convert(kLab, kRgb, labOutsideSrgb);
    EXPECT_LE(LargestDifference(Convert(kLab, kHsb, labOutsideSrgb), Convert(kRgb, kHsb, rgb)), 1);
    EXPECT_LE(LargestDifference(Convert(kLab, kCmyk, labOutsideSrgb), Convert(kRgb, kCmyk, rgb)),
              1);
}

TEST_F(ColorConverterTest, UnknownSpacesAreRefusedAndLeaveComponentsAlone) {
    const int16_t unknownSpaces[] = {plugIncolorServicesHSLSpace, plugIncolorServicesXYZSpace,
                                     plugIncolorServicesChosenSpace, 7, -32768};
    for (int16_t unknown : unknownSpaces) {
        Components components = {10, 20, 30, 40};
        EXPECT_EQ(converter.Convert(unknown, kRgb, components.data()), paramErr);
        EXPECT_EQ(converter.Convert(kRgb, unknown, components.data()), paramErr);
        EXPECT_EQ(converter.Convert(unknown, unknown, components.data()), paramErr);
        EXPECT_EQ(components, (Components{10, 20, 30, 40})) << "space " << unknown;
    }
}

}  // namespace
}  // namespace oxtest
