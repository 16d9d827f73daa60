#include <gtest/gtest.h>

#include "ImageModes.h"
#include "RecordingPlugin.h"
#include "ResultCodes.h"

namespace {

ColorServicesInfo lastRequest{};
OSErr nextAnswer = noErr;
int16_t answerComponents[4] = {0, 0, 0, 0};

OSErr FakeColorServices(ColorServicesInfo* info) {
    lastRequest = *info;
    if (nextAnswer == noErr) {
        for (int i = 0; i < 4; ++i) {
            info->colorComponents[i] = answerComponents[i];
        }
    }
    return nextAnswer;
}

class ColorOperationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        record = FilterRecord{};
        record.imageMode = plugInModeRGBColor;
        record.colorServices = FakeColorServices;
        plugin.filterRecord = &record;
        nextAnswer = noErr;
        lastRequest = ColorServicesInfo{};
    }
    FilterRecord record{};
    RecordingPlugin plugin{1};
};

TEST_F(ColorOperationsTest, ColourSpaceFollowsTheImageMode) {
    const std::pair<int16_t, int16_t> table[] = {
        {plugInModeGrayScale, plugIncolorServicesGraySpace},
        {plugInModeCMYKColor, plugIncolorServicesCMYKSpace},
        {plugInModeHSBColor, plugIncolorServicesHSBSpace},
        {plugInModeLabColor, plugIncolorServicesLabSpace},
        {plugInModeRGBColor, plugIncolorServicesRGBSpace},
        {plugInModeMultichannel, plugIncolorServicesRGBSpace},
        {int16_t(99), plugIncolorServicesRGBSpace}};
    for (const auto& [mode, space] : table) {
        record.imageMode = mode;
        EXPECT_EQ(plugin.ColorSpaceForMode(), space) << mode;
    }
}

TEST_F(ColorOperationsTest, ConvertSendsHighBytesAndReturnsLowBytes) {
    record.imageMode = plugInModeCMYKColor;
    answerComponents[0] = 0x1FF;  // only the low byte reaches the colour
    answerComponents[1] = 2;
    answerComponents[2] = 3;
    answerComponents[3] = 4;
    uint8_t destination[4] = {9, 9, 9, 9};
    ASSERT_TRUE(plugin.ConvertRGBColor(RGBColor{0xABCD, 0x1234, 0xFF00}, destination));
    EXPECT_EQ(lastRequest.infoSize, int32_t(sizeof(ColorServicesInfo)));
    EXPECT_EQ(lastRequest.selector, plugIncolorServicesConvertColor);
    EXPECT_EQ(lastRequest.sourceSpace, plugIncolorServicesRGBSpace);
    EXPECT_EQ(lastRequest.resultSpace, plugIncolorServicesCMYKSpace);
    EXPECT_EQ(lastRequest.colorComponents[0], 0xAB);
    EXPECT_EQ(lastRequest.colorComponents[1], 0x12);
    EXPECT_EQ(lastRequest.colorComponents[2], 0xFF);
    EXPECT_EQ(lastRequest.colorComponents[3], 0);
    EXPECT_EQ(lastRequest.reservedSourceSpaceInfo, nullptr);
    EXPECT_EQ(lastRequest.reserved, nullptr);
    const uint8_t expected[4] = {0xFF, 2, 3, 4};
    EXPECT_EQ(0, memcmp(destination, expected, 4));
}

TEST_F(ColorOperationsTest, FailedServicesLeaveTheColourAlone) {
    nextAnswer = paramErr;
    uint8_t destination[4] = {1, 2, 3, 4};
    EXPECT_FALSE(plugin.ConvertRGBColor(RGBColor{0, 0, 0}, destination));
    uint8_t picked[4] = {5, 6, 7, 8};
    EXPECT_FALSE(plugin.PickColor(picked, true));
    const uint8_t unchangedDestination[4] = {1, 2, 3, 4};
    const uint8_t unchangedPick[4] = {5, 6, 7, 8};
    EXPECT_EQ(0, memcmp(destination, unchangedDestination, 4));
    EXPECT_EQ(0, memcmp(picked, unchangedPick, 4));

    record.colorServices = nullptr;  // a host without colour services
    EXPECT_FALSE(plugin.PickColor(picked, false));
}

TEST_F(ColorOperationsTest, PickerStartsFromTheGivenColourInTheWantedSpace) {
    record.imageMode = plugInModeCMYKColor;
    answerComponents[0] = 10;
    answerComponents[1] = 20;
    answerComponents[2] = 30;
    answerComponents[3] = 40;
    uint8_t color[4] = {200, 100, 50, 7};
    ASSERT_TRUE(plugin.PickColor(color, false));
    EXPECT_EQ(lastRequest.selector, plugIncolorServicesChooseColor);
    EXPECT_EQ(lastRequest.sourceSpace, plugIncolorServicesRGBSpace);
    EXPECT_EQ(lastRequest.resultSpace, plugIncolorServicesCMYKSpace);
    EXPECT_EQ(lastRequest.colorComponents[0], 200);
    EXPECT_EQ(lastRequest.colorComponents[3], 7);
    EXPECT_EQ(lastRequest.selectorParameter.pickerPrompt, nullptr);
    const uint8_t expected[4] = {10, 20, 30, 40};
    EXPECT_EQ(0, memcmp(color, expected, 4));

    ASSERT_TRUE(plugin.PickColor(color, true));
    EXPECT_EQ(lastRequest.resultSpace, plugIncolorServicesRGBSpace);
}

}  // namespace
