#include <gtest/gtest.h>

#include "DialogPlacement.h"
#include "FakeNativeDialogs.h"

namespace {

using abouttest::FakeNativeDialogs;

// A 300 x 200 box over a host window; t (title button width) 18.
class DialogPlacementTest : public ::testing::Test {
protected:
    void SetUp() override { screen.parents[screen.box] = screen.host; }

    ScreenPoint Placed() {
        PlaceDialog(screen, screen.box);
        EXPECT_EQ(screen.moves.size(), 1u);
        return screen.moves.empty() ? ScreenPoint{-999, -999} : screen.moves.back();
    }

    FakeNativeDialogs screen;
};

TEST_F(DialogPlacementTest, OddWidthDifferenceTakesHalfRoundedDownMinusTitleButton) {
    screen.PlaceHost({100, 50}, 1001, 800);  // 701 wider than the box
    const ScreenPoint at = Placed();
    EXPECT_EQ(at.x, 100 + 350 - 18);
    EXPECT_EQ(at.y, 50 + 600 / 3);
}

TEST_F(DialogPlacementTest, FreeHeightIsDividedByThreeRoundedDown) {
    screen.PlaceHost({0, 10}, 300, 402);  // 202 free rows
    EXPECT_EQ(Placed().y, 10 + 67);
}

TEST_F(DialogPlacementTest, WithoutSystemMenuTheShiftLosesAThird) {
    screen.boxHasSystemMenu = false;
    screen.titleButtonWidth = 20;  // 20 - 20 / 3 = 14
    screen.PlaceHost({100, 50}, 1000, 800);
    EXPECT_EQ(Placed().x, 100 + 350 - 14);
}

TEST_F(DialogPlacementTest, BoxWiderThanParentStartsAtItsLeftMinusShift) {
    screen.PlaceHost({500, 50}, 100, 800);
    EXPECT_EQ(Placed().x, 500 - 18);
}

TEST_F(DialogPlacementTest, BoxTallerThanParentSitsAtTheParentsTop) {
    screen.PlaceHost({100, 300}, 1000, 150);
    EXPECT_EQ(Placed().y, 300);
}

TEST_F(DialogPlacementTest, BoxTallerThanParentIsPulledUpOntoTheScreen) {
    screen.PlaceHost({100, 1000}, 1000, 150);
    EXPECT_EQ(Placed().y, 1080 - 200);
}

TEST_F(DialogPlacementTest, ParentOffTheRightEdgeGivesScreenWidthMinusBox) {
    screen.PlaceHost({1800, 50}, 400, 800);
    EXPECT_EQ(Placed().x, 1920 - 300);
}

TEST_F(DialogPlacementTest, BoxLargerThanTheScreenStartsAtZero) {
    screen.screenWidth = 250;
    screen.screenHeight = 150;
    screen.PlaceHost({10, 10}, 100, 100);
    const ScreenPoint at = Placed();
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 0);
}

TEST_F(DialogPlacementTest, BoxExactlyAtTheScreenEdgeStays) {
    screen.PlaceHost({1638, 0}, 300, 1080);  // x + w = 1638 - 18 + 300 = 1920
    EXPECT_EQ(Placed().x, 1620);
}

TEST_F(DialogPlacementTest, WithoutParentTheDesktopIsUsed) {
    screen.parents.clear();
    screen.clientRects[screen.desktop] = ScreenRect{0, 0, 1920, 1080};
    const ScreenPoint at = Placed();
    EXPECT_EQ(at.x, (1920 - 300) / 2 - 18);
    EXPECT_EQ(at.y, (1080 - 200) / 3);
}

TEST_F(DialogPlacementTest, FrameOriginDoesNotMatterOnlyItsSize) {
    screen.boxFrame = ScreenRect{700, 700, 1000, 900};
    screen.PlaceHost({100, 50}, 1001, 800);
    EXPECT_EQ(Placed().x, 100 + 350 - 18);
}

}  // namespace
