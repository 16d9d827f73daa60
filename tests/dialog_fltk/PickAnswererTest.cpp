// The colour picker's answerer hook: a real picker window takes the place
// of the scripted answers, and every pick is still recorded.
#include <gtest/gtest.h>

#include "host/color/ColorPickerScript.h"

namespace dialogfltk {
namespace {

using oxhost::ColorPickerScript;
using oxhost::PickedColor;
using oxhost::PickRequest;

TEST(PickAnswererTest, AnswererAnswersEveryPickAndSeesTheRequest) {
    int16_t seenRed = -1;
    ColorPickerScript picker([&seenRed](const PickRequest& request) {
        seenRed = request.startingComponents[0];
        return std::optional<PickedColor>(PickedColor{7, 8, 9});
    });
    PickRequest request;
    request.startingComponents[0] = 200;
    for (int i = 0; i < 3; ++i) {
        const std::optional<PickedColor> answer = picker.Pick(request);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->blue, 9);
    }
    EXPECT_EQ(seenRed, 200);
    EXPECT_EQ(picker.Requests().size(), 3u);
}

TEST(PickAnswererTest, AnswererCancellingCancelsThePick) {
    ColorPickerScript picker([](const PickRequest&) { return std::optional<PickedColor>(); });
    EXPECT_FALSE(picker.Pick(PickRequest{}));
    EXPECT_EQ(picker.Requests().size(), 1u);
}

TEST(PickAnswererTest, WithoutAnswererTheScriptRunsOut) {
    ColorPickerScript picker(std::vector<PickedColor>{{1, 2, 3}});
    EXPECT_TRUE(picker.Pick(PickRequest{}));
    EXPECT_FALSE(picker.Pick(PickRequest{}));
}

}  // namespace
}  // namespace dialogfltk
