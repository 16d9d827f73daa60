#include <gtest/gtest.h>

#include "MaskDrawing.h"
#include "host/flat/AreaLabels.h"
#include "host/flat/SolidBlack.h"

namespace {

using oxhost::InkMask;

// A thin-line room, a 15 x 90 bar (too thin to be a solid black) and a
// filled 40 x 40 square at (75, 20), the room and square joined by a thin line.
InkMask PageWithBlackSquare() {
    InkMask mask = flattest::BlankMask(120, 100);
    flattest::DrawOutline(mask, 5, 5, 50, 70);
    flattest::FillRect(mask, 55, 5, 69, 94);
    flattest::FillRect(mask, 51, 40, 74, 40);
    flattest::FillRect(mask, 75, 20, 114, 59);
    return mask;
}

TEST(KeepSolidBlackAreas, FilledSquareBecomesItsOwnAreaInsideARing) {
    const InkMask page = PageWithBlackSquare();
    size_t regions = 99;
    const InkMask kept = oxhost::KeepSolidBlackAreas(page, oxhost::kDefaultSolidBlackThickness,
                                                     oxhost::kDefaultSolidBlackPixels, &regions);
    EXPECT_EQ(regions, 1u);
    EXPECT_EQ(flattest::CountAreas(kept), flattest::CountAreas(page) + 1);

    // Only square pixels turned to paper, all of them one area, one pixel in
    // from each side.
    const oxhost::AreaLabels labels = oxhost::LabelPaperAreas(kept);
    const uint32_t hollow = labels.label[size_t(40) * 120 + 95];
    ASSERT_NE(hollow, 0u);
    uint32_t changed = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 120; ++x) {
            if (kept.At(x, y) != page.At(x, y)) {
                ++changed;
                EXPECT_TRUE(x >= 75 && x <= 114 && y >= 20 && y <= 59) << x << "," << y;
                EXPECT_EQ(labels.label[size_t(y) * 120 + size_t(x)], hollow) << x << "," << y;
            }
        }
    }
    const oxhost::AreaInfo& area = labels.areas[hollow - 1];
    EXPECT_EQ(area.pixels, changed);
    EXPECT_EQ(area.left, 76);
    EXPECT_EQ(area.right, 113);
    EXPECT_EQ(area.top, 21);
    EXPECT_EQ(area.bottom, 58);
}

TEST(KeepSolidBlackAreas, TooFewPixelsOrNoThicknessKeepsTheInk) {
    const InkMask page = PageWithBlackSquare();
    size_t regions = 99;
    EXPECT_EQ(oxhost::KeepSolidBlackAreas(page, oxhost::kDefaultSolidBlackThickness, 40 * 40 + 1,
                                          &regions)
                  .ink,
              page.ink);
    EXPECT_EQ(regions, 0u);
    EXPECT_EQ(oxhost::KeepSolidBlackAreas(page, 0, 1, &regions).ink, page.ink);
    EXPECT_EQ(regions, 0u);
    // Thinner than the bar, the bar is a solid black too.
    oxhost::KeepSolidBlackAreas(page, 12, oxhost::kDefaultSolidBlackPixels, &regions);
    EXPECT_EQ(regions, 2u);
}

}  // namespace
