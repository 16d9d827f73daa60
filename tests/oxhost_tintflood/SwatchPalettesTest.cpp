// The palettes shipped beside oxhost: well-formed version 1 swatch files whose
// colours Tintflood can use as fill colours around the default white.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <set>

#include "../support/ScratchFolder.h"
#include "SwatchPalette.h"
#include "host/color/ColorConverter.h"

namespace {

struct Swatch {
    uint16_t space, w, x, y, z;
};

std::string ShippedFolder() {
    return oxtest::BuiltProgramFolder() + "/Presets/Color Swatches/";
}

uint16_t BigEndian(const std::string& bytes, size_t offset) {
    return uint16_t(uint8_t(bytes[offset]) << 8 | uint8_t(bytes[offset + 1]));
}

// The whole file must be exactly the version 1 header and its entries.
std::vector<Swatch> ReadPalette(const std::string& name) {
    std::ifstream file(ShippedFolder() + name, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    EXPECT_GE(bytes.size(), 4u) << name;
    if (bytes.size() < 4) {
        return {};
    }
    EXPECT_EQ(BigEndian(bytes, 0), 1) << name;
    const size_t count = BigEndian(bytes, 2);
    EXPECT_EQ(bytes.size(), 4 + 10 * count) << name;
    std::vector<Swatch> swatches;
    for (size_t i = 0; i < count && 4 + 10 * (i + 1) <= bytes.size(); ++i) {
        const size_t at = 4 + 10 * i;
        swatches.push_back(Swatch{BigEndian(bytes, at), BigEndian(bytes, at + 2),
                                  BigEndian(bytes, at + 4), BigEndian(bytes, at + 6),
                                  BigEndian(bytes, at + 8)});
    }
    return swatches;
}

// The RGB bytes Tintflood gets for a swatch: the plug-in's own request for
// the file's components, converted by the host.
std::array<int, 3> ToRgb(const Swatch& swatch) {
    const SwatchEntry entry{swatch.space, swatch.w, swatch.x, swatch.y, swatch.z};
    const int16_t space = SwatchSpaceToHost(entry.space);
    EXPECT_NE(space, -1) << "space code " << swatch.space;
    int16_t components[4];
    SwatchRequestComponents(entry, components);
    EXPECT_EQ(oxhost::ColorConverter().Convert(space, 0, components), 0);
    return {components[0], components[1], components[2]};
}

// Usable around white with tolerances up to 40: not too dark (some channel
// above 90) and not within 40 of white in every channel.
void ExpectUsable(const std::array<int, 3>& rgb, const std::string& where) {
    EXPECT_TRUE(rgb[0] > 90 || rgb[1] > 90 || rgb[2] > 90) << where;
    EXPECT_TRUE(rgb[0] < 215 || rgb[1] < 215 || rgb[2] < 215) << where;
}

TEST(SwatchPalettesTest, LightFlatsAreADozenDistinctLightRgbColours) {
    const std::vector<Swatch> swatches = ReadPalette("Light Flats.aco");
    ASSERT_EQ(swatches.size(), 12u);
    std::set<std::array<int, 3>> distinct;
    for (const Swatch& swatch : swatches) {
        EXPECT_EQ(swatch.space, 0);
        const std::array<int, 3> rgb = ToRgb(swatch);
        for (int channel : rgb) {
            EXPECT_GE(channel, 128);
        }
        ExpectUsable(rgb, "Light Flats");
        distinct.insert(rgb);
    }
    EXPECT_EQ(distinct.size(), swatches.size());
}

TEST(SwatchPalettesTest, ComicPastelsAreUsable) {
    const std::vector<Swatch> swatches = ReadPalette("Comic Pastels.aco");
    ASSERT_GE(swatches.size(), 6u);
    for (const Swatch& swatch : swatches) {
        ExpectUsable(ToRgb(swatch), "Comic Pastels");
    }
}

TEST(SwatchPalettesTest, MixedSpacesHoldsEveryConvertedSpaceAndStaysUsable) {
    const std::vector<Swatch> swatches = ReadPalette("Mixed Spaces.aco");
    std::set<uint16_t> spaces;
    for (const Swatch& swatch : swatches) {
        spaces.insert(swatch.space);
        ExpectUsable(ToRgb(swatch), "Mixed Spaces, space " + std::to_string(swatch.space));
    }
    EXPECT_EQ(spaces, (std::set<uint16_t>{0, 1, 2, 7, 8}));
}

}  // namespace
