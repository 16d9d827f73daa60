#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "MaskDrawing.h"
#include "host/HostError.h"
#include "host/flat/GapClosing.h"

namespace {

using flattest::CountAreas;
using oxhost::InkMask;

// A square outline `thickness` pixels thick with `gap` pixels of its top side
// cleared from column 28 on.
InkMask SquareWithGap(int gap, int thickness = 1) {
    InkMask mask = flattest::BlankMask(60, 60);
    for (int t = 0; t < thickness; ++t) {
        flattest::DrawOutline(mask, 10 + t, 10 + t, 49 - t, 49 - t);
    }
    if (gap > 0) {
        flattest::FillRect(mask, 28, 10, 28 + gap - 1, 10 + thickness - 1, 0);
    }
    return mask;
}

TEST(CloseGaps, SealsGapsUpToTheDefaultWidthWithSeamsInTheGap) {
    for (int thickness : {1, 3}) {
        for (int gap = 0; gap <= oxhost::kDefaultGapWidth; ++gap) {
            SCOPED_TRACE(testing::Message() << "gap " << gap << ", thickness " << thickness);
            const InkMask open = SquareWithGap(gap, thickness);
            ASSERT_EQ(CountAreas(open), gap == 0 ? 2u : 1u);
            size_t added = 99;
            const InkMask closed = oxhost::CloseGaps(open, oxhost::kDefaultGapWidth, &added);
            EXPECT_EQ(CountAreas(closed), 2u);
            size_t changed = 0;
            for (int y = 0; y < 60; ++y) {
                for (int x = 0; x < 60; ++x) {
                    if (closed.At(x, y) == open.At(x, y)) {
                        continue;
                    }
                    ++changed;
                    EXPECT_TRUE(closed.At(x, y)) << "ink removed at " << x << "," << y;
                    // Only across the gap, not along the lines.
                    EXPECT_TRUE(x >= 28 && x < 28 + gap && std::abs(y - 10) <= thickness + 2)
                        << "seam at " << x << "," << y;
                }
            }
            EXPECT_EQ(added, changed);
            EXPECT_EQ(added == 0, gap == 0);
        }
    }
}

TEST(CloseGaps, LeavesWiderGapsOpen) {
    for (int gap : {oxhost::kDefaultGapWidth + 1, oxhost::kDefaultGapWidth + 2}) {
        const InkMask open = SquareWithGap(gap);
        size_t added = 99;
        EXPECT_EQ(oxhost::CloseGaps(open, oxhost::kDefaultGapWidth, &added).ink, open.ink)
            << "gap " << gap;
        EXPECT_EQ(added, 0u);
    }
}

// Two rooms joined by a corridor `corridor` pixels wide between two parallel lines.
InkMask RoomsWithCorridor(int corridor) {
    InkMask mask = flattest::BlankMask(100, 60);
    flattest::DrawOutline(mask, 5, 5, 40, 55);
    flattest::DrawOutline(mask, 60, 5, 95, 55);
    flattest::FillRect(mask, 40, 25, 60, 25);
    flattest::FillRect(mask, 40, 26 + corridor, 60, 26 + corridor);
    flattest::FillRect(mask, 40, 26, 40, 25 + corridor, 0);
    flattest::FillRect(mask, 60, 26, 60, 25 + corridor, 0);
    return mask;
}

TEST(CloseGaps, ParallelLinesFartherApartThanTheWidthStaySeparate) {
    const InkMask wide = RoomsWithCorridor(oxhost::kDefaultGapWidth + 1);
    ASSERT_EQ(CountAreas(wide), 2u);  // outside, and rooms with corridor
    size_t added = 99;
    EXPECT_EQ(oxhost::CloseGaps(wide, oxhost::kDefaultGapWidth, &added).ink, wide.ink);
    EXPECT_EQ(added, 0u);
    // As narrow as the width, the corridor is a gap: the rooms part.
    const InkMask narrow = RoomsWithCorridor(oxhost::kDefaultGapWidth);
    EXPECT_EQ(CountAreas(oxhost::CloseGaps(narrow, oxhost::kDefaultGapWidth, &added)), 3u);
    EXPECT_GT(added, 0u);
}

TEST(CloseGaps, SmallEnclosedHolesAreNotFilled) {
    // A 5 x 5 and a 2 x 2 hole in thick ink, and a 3-pixel-wide room.
    InkMask mask = flattest::BlankMask(50, 30);
    flattest::FillRect(mask, 5, 5, 19, 19);
    flattest::FillRect(mask, 10, 10, 14, 14, 0);
    flattest::FillRect(mask, 7, 7, 8, 8, 0);
    flattest::DrawOutline(mask, 25, 5, 29, 25);
    size_t added = 99;
    EXPECT_EQ(oxhost::CloseGaps(mask, oxhost::kDefaultGapWidth, &added).ink, mask.ink);
    EXPECT_EQ(added, 0u);
}

// Paper pixels farther than (width + 1) / 2 from all ink, found by looking
// at every pixel around each: 1, else 0.
std::vector<uint8_t> PlainCores(const InkMask& mask, int width) {
    const int reach = width / 2 + 1;
    std::vector<uint8_t> core(mask.ink.size(), 0);
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            bool far = !mask.At(x, y);
            for (int dy = -reach; dy <= reach && far; ++dy) {
                for (int dx = -reach; dx <= reach && far; ++dx) {
                    const bool inside =
                        x + dx >= 0 && y + dy >= 0 && x + dx < mask.width && y + dy < mask.height;
                    far = !(inside && mask.At(x + dx, y + dy) &&
                            4 * (dx * dx + dy * dy) <= (width + 1) * (width + 1));
                }
            }
            core[size_t(y) * size_t(mask.width) + size_t(x)] = far ? 1 : 0;
        }
    }
    return core;
}

TEST(CloseGaps, NoAreaKeepsTwoCoresOnRandomOutlines) {
    std::mt19937 random(5);
    for (int page = 0; page < 40; ++page) {
        InkMask mask = flattest::BlankMask(90, 70);
        for (int shape = 0; shape < 7; ++shape) {
            const int left = int(random() % 70);
            const int top = int(random() % 50);
            const int right = left + 6 + int(random() % 20);
            const int bottom = top + 6 + int(random() % 20);
            flattest::DrawOutline(mask, left, top, std::min(right, 89), std::min(bottom, 69));
            const int gap = int(random() % 7);
            if (gap > 0) {
                flattest::FillRect(mask, left + 2, top, std::min(left + 1 + gap, 89), top, 0);
            }
        }
        const int width = 1 + int(random() % 5);
        size_t added = 0;
        const InkMask closed = oxhost::CloseGaps(mask, width, &added);

        // Ink only added, and as many pixels as reported.
        size_t changed = 0;
        for (size_t i = 0; i < mask.ink.size(); ++i) {
            ASSERT_TRUE(closed.ink[i] >= mask.ink[i]) << "page " << page;
            changed += closed.ink[i] != mask.ink[i] ? 1 : 0;
        }
        EXPECT_EQ(added, changed) << "page " << page;

        // Each area of the result holds core pixels of one core at most.
        const std::vector<uint8_t> core = PlainCores(mask, width);
        InkMask coreMask = flattest::BlankMask(90, 70);
        for (size_t i = 0; i < core.size(); ++i) {
            coreMask.ink[i] = core[i] ? 0 : 1;
        }
        uint32_t coreCount = 0;
        uint32_t areaCount = 0;
        const std::vector<uint32_t> coreOf = flattest::OracleLabels(coreMask, &coreCount);
        const std::vector<uint32_t> areaOf = flattest::OracleLabels(closed, &areaCount);
        std::vector<uint32_t> coreOfArea(areaCount + 1, 0);
        for (size_t i = 0; i < core.size(); ++i) {
            if (core[i] == 0 || areaOf[i] == 0) {
                continue;  // a core pixel may become seam
            }
            uint32_t& seen = coreOfArea[areaOf[i]];
            EXPECT_TRUE(seen == 0 || seen == coreOf[i]) << "page " << page << ", pixel " << i;
            seen = coreOf[i];
        }
    }
}

TEST(CloseGaps, WidthZeroChangesNothingAndBadSizeIsRefused) {
    const InkMask open = SquareWithGap(2);
    size_t added = 99;
    EXPECT_EQ(oxhost::CloseGaps(open, 0, &added).ink, open.ink);
    EXPECT_EQ(added, 0u);
    InkMask bad = open;
    bad.height = 61;
    EXPECT_THROW(oxhost::CloseGaps(bad, 4, nullptr), oxhost::HostError);
}

}  // namespace
