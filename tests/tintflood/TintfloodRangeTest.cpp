// The colour range and the fill-colour rules, on the plug-in object itself.
#include <gtest/gtest.h>

#include "ImageModes.h"
#include "ResultCodes.h"
#include "TintfloodPlugin.h"

namespace {

// Colour services that hand RGB back unchanged, as for an RGB document, or
// fail on request.
bool failConversions = false;
OSErr IdentityColorServices(ColorServicesInfo* info) {
    if (failConversions) {
        return paramErr;
    }
    info->colorComponents[3] = 0;
    return noErr;
}

class TintfloodRangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        failConversions = false;
        record.imageMode = plugInModeRGBColor;
        record.colorServices = IdentityColorServices;
        plugin.filterRecord = &record;
    }
    FilterRecord record{};
    TintfloodPlugin plugin;
};

RGBColor16 Grey(uint8_t value) {
    const uint16_t wide = uint16_t(value * 257);
    return RGBColor16{wide, wide, wide};
}

TEST_F(TintfloodRangeTest, BoundsWidenByTheToleranceAndStopAtTheByteEnds) {
    plugin.channelCount = 3;
    plugin.SetRange(RGBColor16{100 << 8, 5 << 8, 250 << 8}, 10);
    EXPECT_EQ(plugin.range.low[0], 90);
    EXPECT_EQ(plugin.range.high[0], 110);
    EXPECT_EQ(plugin.range.low[1], 0);
    EXPECT_EQ(plugin.range.high[1], 15);
    EXPECT_EQ(plugin.range.low[2], 240);
    EXPECT_EQ(plugin.range.high[2], 255);

    plugin.SetRange(Grey(77), 0);
    EXPECT_EQ(plugin.range.low[1], 77);
    EXPECT_EQ(plugin.range.high[1], 77);

    plugin.SetRange(Grey(77), 300);
    EXPECT_EQ(plugin.range.low[2], 0);
    EXPECT_EQ(plugin.range.high[2], 255);
}

TEST_F(TintfloodRangeTest, OnlyTheComparedChannelsGetBounds) {
    plugin.channelCount = 3;
    plugin.range.high[3] = 123;
    plugin.SetRange(Grey(50), 10);
    EXPECT_EQ(plugin.range.low[3], 0);     // the converted fourth byte
    EXPECT_EQ(plugin.range.high[3], 123);  // untouched

    plugin.channelCount = 4;
    plugin.SetRange(Grey(50), 10);
    EXPECT_EQ(plugin.range.low[3], 0);
    EXPECT_EQ(plugin.range.high[3], 10);
}

TEST_F(TintfloodRangeTest, FailedConversionBuildsOnTheOldLowBounds) {
    plugin.channelCount = 3;
    plugin.SetRange(Grey(100), 0);
    failConversions = true;
    plugin.SetRange(Grey(200), 5);
    EXPECT_EQ(plugin.range.low[0], 95);
    EXPECT_EQ(plugin.range.high[0], 105);
}

TEST_F(TintfloodRangeTest, ChannelCountComesFromThePlanes) {
    EXPECT_EQ(TintfloodPlugin::ChannelCountForPlanes(0), 3);
    EXPECT_EQ(TintfloodPlugin::ChannelCountForPlanes(3), 3);
    EXPECT_EQ(TintfloodPlugin::ChannelCountForPlanes(4), 4);
    EXPECT_EQ(TintfloodPlugin::ChannelCountForPlanes(7), 4);
    EXPECT_EQ(TintfloodPlugin::ChannelCountForPlanes(256), 3);  // a byte of 0
}

TEST_F(TintfloodRangeTest, ANewObjectHoldsNoStaleColours) {
    TintfloodPlugin fresh;
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(fresh.areaColor[k], 0);
        EXPECT_EQ(fresh.range.low[k], 0);
        EXPECT_EQ(fresh.range.high[k], 0);
    }
    EXPECT_EQ(fresh.channelCount, 3);
    EXPECT_EQ(activeTintflood, &fresh);
}

TEST_F(TintfloodRangeTest, DarknessRuleForRgbAndCmyk) {
    plugin.channelCount = 3;
    plugin.SetRange(Grey(255), 0);
    const uint8_t darkGrey[4] = {90, 90, 90, 255};
    std::copy(darkGrey, darkGrey + 4, plugin.areaColor);
    EXPECT_FALSE(plugin.IsUsableFillColor());
    const uint8_t darkRed[4] = {91, 0, 0, 0};
    std::copy(darkRed, darkRed + 4, plugin.areaColor);
    EXPECT_TRUE(plugin.IsUsableFillColor());

    record.imageMode = plugInModeCMYKColor;
    plugin.channelCount = 4;
    const uint8_t heavyBlack[4] = {200, 200, 200, 39};
    std::copy(heavyBlack, heavyBlack + 4, plugin.areaColor);
    EXPECT_FALSE(plugin.IsUsableFillColor());
    plugin.areaColor[3] = 40;
    EXPECT_TRUE(plugin.IsUsableFillColor());
    const uint8_t inkless[4] = {0, 0, 0, 40};  // dark by RGB's rule, fine by CMYK's
    std::copy(inkless, inkless + 4, plugin.areaColor);
    EXPECT_TRUE(plugin.IsUsableFillColor());
}

TEST_F(TintfloodRangeTest, JoinSeedsPackRowHighAndColumnLow) {
    plugin.AddJoinSeed(0x1234, 0xABCD);
    ASSERT_EQ(plugin.joinSeeds.size(), 1u);
    EXPECT_EQ(plugin.joinSeeds[0], 0xABCD1234u);
}

}  // namespace
