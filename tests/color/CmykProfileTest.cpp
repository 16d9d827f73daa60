#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "ColorTestSupport.h"
#include "TestProfiles.h"
#include "host/HostError.h"
#include "host/color/ColorConverter.h"

namespace oxtest {
namespace {

using oxhost::ColorConverter;
using oxhost::HostError;

// The test printer puts half the grey into K and its inks gain (see
// TestProfiles.h), so its separations differ from the formula's.
class CmykProfileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        auto file = std::make_unique<TemporaryFile>();
        WriteTestCmykProfile(file->Path());
        profileFile = std::move(file);
    }
    static void TearDownTestSuite() { profileFile.reset(); }

    static std::unique_ptr<TemporaryFile> profileFile;
    const ColorConverter withProfile{profileFile->Path()};
    const ColorConverter byFormula;
};

std::unique_ptr<TemporaryFile> CmykProfileTest::profileFile;

// Whether constructing a converter on path throws a HostError whose message
// names the file.
::testing::AssertionResult RefusedNamingFile(const std::string& path) {
    try {
        ColorConverter converter(path);
    } catch (const HostError& error) {
        if (std::string(error.what()).find(path) == std::string::npos) {
            return ::testing::AssertionFailure() << "message without the path: " << error.what();
        }
        return ::testing::AssertionSuccess() << error.what();
    }
    return ::testing::AssertionFailure() << "no HostError for " << path;
}

TEST_F(CmykProfileTest, SeparatesThroughTheProfileInsteadOfTheFormula) {
    EXPECT_TRUE(withProfile.UsesCmykProfile());
    // Grey 128: half of K's 0.498 as ink 0.249 printed, the rest in CMY; the
    // gain then lowers the unprinted amounts (0.332^(1/0.7) and 0.249^(1/0.7)).
    const Components grey = Converted(withProfile, kRgb, kCmyk, {128, 128, 128, 0});
    EXPECT_LE(LargestDifference(grey, {202, 202, 202, 220}), 3)
        << grey[0] << " " << grey[1] << " " << grey[2] << " " << grey[3];
    EXPECT_EQ(Converted(byFormula, kRgb, kCmyk, {128, 128, 128, 0}),
              (Components{255, 255, 255, 128}));
}

TEST_F(CmykProfileTest, PrintsThroughTheProfileInsteadOfTheFormula) {
    // Half cyan (ink 0.498) prints as 0.498^0.7 = 0.614 with the gain.
    const Components cyan = Converted(withProfile, kCmyk, kRgb, {128, 255, 255, 255});
    EXPECT_LE(LargestDifference(cyan, {98, 255, 255, 0}), 3)
        << cyan[0] << " " << cyan[1] << " " << cyan[2];
    EXPECT_EQ(Converted(byFormula, kCmyk, kRgb, {128, 255, 255, 255}),
              (Components{128, 255, 255, 0}));
}

TEST_F(CmykProfileTest, RedAndWhiteSeparateAsInks) {
    const Components red = Converted(withProfile, kRgb, kCmyk, {255, 0, 0, 0});
    EXPECT_GE(red[0], 250);  // no cyan
    EXPECT_LE(red[1], 20);   // magenta and yellow nearly full
    EXPECT_LE(red[2], 20);
    EXPECT_GE(red[3], 250);  // no black
    EXPECT_LE(LargestDifference(Converted(withProfile, kRgb, kCmyk, {255, 255, 255, 0}),
                                {255, 255, 255, 255}),
              1);
}

// Judged in Lab: 8-bit CMYK and the profile's CLUTs cannot give every sRGB
// level back, but the colour must stay the same to the eye.
TEST_F(CmykProfileTest, RoundTripsThroughTheProfileKeepTheColour) {
    const int16_t levels[] = {0, 60, 128, 200, 255};
    for (int16_t red : levels) {
        for (int16_t green : levels) {
            for (int16_t blue : levels) {
                const Components rgb = {red, green, blue, 0};
                const Components cmyk = Converted(withProfile, kRgb, kCmyk, rgb);
                EXPECT_LE(LargestDifference(Converted(withProfile, kCmyk, kLab, cmyk),
                                            Converted(withProfile, kRgb, kLab, rgb)),
                          3)
                    << red << " " << green << " " << blue;
            }
        }
    }
    for (int16_t grey : levels) {
        const Components rgb = {grey, grey, grey, 0};
        const Components back =
            Converted(withProfile, kCmyk, kRgb, Converted(withProfile, kRgb, kCmyk, rgb));
        EXPECT_LE(LargestDifference(back, rgb), 2) << grey;
    }
}

TEST_F(CmykProfileTest, CmykToLabGoesThroughTheProfileDirectly) {
    const Components paper = Converted(withProfile, kCmyk, kLab, {255, 255, 255, 255});
    EXPECT_LE(LargestDifference(paper, {255, 128, 128, 0}), 1);
    const Components viaRgb =
        Converted(withProfile, kRgb, kLab, Converted(withProfile, kCmyk, kRgb, {40, 90, 160, 200}));
    EXPECT_LE(LargestDifference(Converted(withProfile, kCmyk, kLab, {40, 90, 160, 200}), viaRgb),
              2);
}

TEST(CmykProfileFailureTest, MissingFileIsAHostError) {
    EXPECT_TRUE(RefusedNamingFile("/nonexistent/folder/press.icc"));
}

TEST(CmykProfileFailureTest, GarbageFileIsAHostError) {
    const TemporaryFile garbage;
    WriteTextFile(garbage.Path(), "this is not an ICC profile, only some text of no use");
    EXPECT_TRUE(RefusedNamingFile(garbage.Path()));
    const TemporaryFile empty;
    EXPECT_TRUE(RefusedNamingFile(empty.Path()));
}

TEST(CmykProfileFailureTest, RgbProfileIsAHostError) {
    const TemporaryFile rgbProfile;
    WriteSrgbProfile(rgbProfile.Path());
    EXPECT_TRUE(RefusedNamingFile(rgbProfile.Path()));
}

}  // namespace
}  // namespace oxtest
