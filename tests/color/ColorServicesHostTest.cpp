#include <gtest/gtest.h>

#include <algorithm>

#include "ColorTestSupport.h"
#include "host/color/ColorServicesHost.h"

namespace oxtest {
namespace {

using oxhost::ColorConverter;
using oxhost::ColorPickerScript;
using oxhost::ColorServicesHost;
using oxhost::PickedColor;

ColorServicesInfo Request(int16_t selector, int16_t sourceSpace, int16_t resultSpace,
                          Components components) {
    ColorServicesInfo info{};
    info.infoSize = sizeof(ColorServicesInfo);
    info.selector = selector;
    info.sourceSpace = sourceSpace;
    info.resultSpace = resultSpace;
    std::copy(components.begin(), components.end(), info.colorComponents);
    return info;
}

Components ComponentsOf(const ColorServicesInfo& info) {
    return {info.colorComponents[0], info.colorComponents[1], info.colorComponents[2],
            info.colorComponents[3]};
}

class ColorServicesHostTest : public ::testing::Test {
protected:
    ColorServicesHost HostPicking(std::vector<PickedColor> answers) {
        return ColorServicesHost(ColorConverter(), ColorPickerScript(std::move(answers)));
    }

    ColorServicesHost host = HostPicking({});
};

TEST_F(ColorServicesHostTest, ConvertsInPlace) {
    ColorServicesInfo info = Request(plugIncolorServicesConvertColor, kRgb, kCmyk, {255, 0, 0, 0});
    info.resultGamutInfoValid = 1;
    EXPECT_EQ(host.Serve(&info), noErr);
    EXPECT_EQ(ComponentsOf(info), (Components{255, 0, 0, 255}));
    EXPECT_EQ(info.resultGamutInfoValid, 0);

    info = Request(plugIncolorServicesConvertColor, kRgb, kRgb, {1, 2, 3, 4});
    EXPECT_EQ(host.Serve(&info), noErr);
    EXPECT_EQ(ComponentsOf(info), (Components{1, 2, 3, 4}));
}

TEST_F(ColorServicesHostTest, RefusesBadRecords) {
    EXPECT_EQ(host.Serve(nullptr), paramErr);

    ColorServicesInfo shortRecord =
        Request(plugIncolorServicesConvertColor, kRgb, kCmyk, {255, 0, 0, 0});
    shortRecord.infoSize = sizeof(ColorServicesInfo) - 1;
    EXPECT_EQ(host.Serve(&shortRecord), paramErr);
    EXPECT_EQ(ComponentsOf(shortRecord), (Components{255, 0, 0, 0}));

    const int16_t unservedSelectors[] = {plugIncolorServicesSamplePoint,
                                         plugIncolorServicesGetSpecialColor, -1, 99};
    for (int16_t selector : unservedSelectors) {
        ColorServicesInfo info = Request(selector, kRgb, kCmyk, {255, 0, 0, 0});
        EXPECT_EQ(host.Serve(&info), paramErr) << "selector " << selector;
        EXPECT_EQ(ComponentsOf(info), (Components{255, 0, 0, 0}));
    }

    ColorServicesInfo hsl =
        Request(plugIncolorServicesConvertColor, kRgb, plugIncolorServicesHSLSpace, {9, 8, 7, 6});
    EXPECT_EQ(host.Serve(&hsl), paramErr);
    EXPECT_EQ(ComponentsOf(hsl), (Components{9, 8, 7, 6}));
}

TEST_F(ColorServicesHostTest, PicksScriptedAnswersInOrderThenCancels) {
    host = HostPicking({{255, 0, 0}, {0, 0, 255}, {10, 20, 30}});
    ColorServicesInfo first = Request(plugIncolorServicesChooseColor, kRgb, kRgb, {1, 2, 3, 4});
    EXPECT_EQ(host.Serve(&first), noErr);
    EXPECT_EQ(ComponentsOf(first), (Components{255, 0, 0, 0}));

    ColorServicesInfo second = Request(plugIncolorServicesChooseColor, kRgb, kCmyk, {5, 6, 7, 8});
    EXPECT_EQ(host.Serve(&second), noErr);
    EXPECT_EQ(ComponentsOf(second), (Components{0, 0, 255, 255}));

    ColorServicesInfo third =
        Request(plugIncolorServicesChooseColor, kRgb, plugIncolorServicesChosenSpace, {0, 0, 0, 0});
    EXPECT_EQ(host.Serve(&third), noErr);
    EXPECT_EQ(ComponentsOf(third), (Components{10, 20, 30, 0}));

    ColorServicesInfo exhausted =
        Request(plugIncolorServicesChooseColor, kRgb, kCmyk, {11, 22, 33, 44});
    EXPECT_EQ(host.Serve(&exhausted), userCanceledErr);
    EXPECT_EQ(ComponentsOf(exhausted), (Components{11, 22, 33, 44}));

    const auto& requests = host.Picker().Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[1].resultSpace, kCmyk);
    EXPECT_EQ(requests[1].startingComponents[0], 5);
    EXPECT_EQ(requests[2].resultSpace, plugIncolorServicesChosenSpace);
    EXPECT_EQ(requests[3].startingComponents[3], 44);
    EXPECT_EQ(host.Picker().RemainingAnswers(), 0u);
}

TEST_F(ColorServicesHostTest, PickWithoutScriptIsCancelled) {
    ColorServicesInfo info = Request(plugIncolorServicesChooseColor, kRgb, kRgb, {1, 2, 3, 4});
    EXPECT_EQ(host.Serve(&info), userCanceledErr);
    EXPECT_EQ(ComponentsOf(info), (Components{1, 2, 3, 4}));
    EXPECT_EQ(host.Picker().Requests().size(), 1u);
}

TEST_F(ColorServicesHostTest, PickIntoUnknownSpaceKeepsTheAnswer) {
    host = HostPicking({{1, 2, 3}});
    ColorServicesInfo info =
        Request(plugIncolorServicesChooseColor, kRgb, plugIncolorServicesXYZSpace, {7, 7, 7, 7});
    EXPECT_EQ(host.Serve(&info), paramErr);
    EXPECT_EQ(ComponentsOf(info), (Components{7, 7, 7, 7}));
    EXPECT_EQ(host.Picker().RemainingAnswers(), 1u);
}

TEST_F(ColorServicesHostTest, PickRecordsThePrompt) {
    host = HostPicking({{1, 2, 3}});
    Str255 prompt = {5, 'F', 'i', 'l', 'l', '!'};
    ColorServicesInfo info = Request(plugIncolorServicesChooseColor, kRgb, kRgb, {0, 0, 0, 0});
    info.selectorParameter.pickerPrompt = &prompt;
    EXPECT_EQ(host.Serve(&info), noErr);
    EXPECT_EQ(host.Picker().Requests().at(0).prompt, "Fill!");
}

TEST_F(ColorServicesHostTest, PickReportsWhetherTheAnswerFitsTheSpace) {
    host = HostPicking({{255, 0, 0}, {255, 0, 0}, {90, 90, 90}, {12, 200, 77}});
    const int16_t spaces[] = {kGray, kLab, kGray, kHsb};
    const bool expectedInGamut[] = {false, true, true, true};
    for (int i = 0; i < 4; ++i) {
        ColorServicesInfo info =
            Request(plugIncolorServicesChooseColor, kRgb, spaces[i], {0, 0, 0, 0});
        ASSERT_EQ(host.Serve(&info), noErr);
        EXPECT_EQ(info.resultGamutInfoValid, 1);
        EXPECT_EQ(info.resultInGamut, expectedInGamut[i] ? 1 : 0) << "pick " << i;
    }
}

}  // namespace
}  // namespace oxtest
