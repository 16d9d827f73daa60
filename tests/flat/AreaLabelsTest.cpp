#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <vector>

#include "MaskDrawing.h"
#include "host/HostError.h"
#include "host/flat/AreaLabels.h"

namespace {

TEST(LabelPaperAreas, MatchesBreadthFirstFillOnRandomMasks) {
    std::mt19937 random(3);
    const int sizes[][2] = {{1, 1}, {1, 30}, {30, 1}, {37, 23}, {64, 64}};
    for (const auto& size : sizes) {
        for (int density : {0, 30, 45, 55, 70, 100}) {  // percent of ink
            SCOPED_TRACE(testing::Message() << size[0] << " x " << size[1] << ", " << density);
            oxhost::InkMask mask = flattest::BlankMask(size[0], size[1]);
            for (uint8_t& ink : mask.ink) {
                ink = int(random() % 100) < density ? 1 : 0;
            }
            const oxhost::AreaLabels labels = oxhost::LabelPaperAreas(mask);
            uint32_t count = 0;
            const std::vector<uint32_t> expected = flattest::OracleLabels(mask, &count);
            ASSERT_EQ(labels.label, expected);
            ASSERT_EQ(labels.areas.size(), count);

            // Pixel counts, boxes and first pixels from the oracle's labels.
            std::vector<oxhost::AreaInfo> want(count, {0, INT_MAX, INT_MAX, -1, -1, -1, -1});
            for (int y = 0; y < mask.height; ++y) {
                for (int x = 0; x < mask.width; ++x) {
                    const uint32_t area = expected[size_t(y) * size_t(mask.width) + size_t(x)];
                    if (area == 0) {
                        continue;
                    }
                    oxhost::AreaInfo& info = want[area - 1];
                    if (info.pixels++ == 0) {
                        info = {1, x, y, x, y, x, y};
                    }
                    info.left = std::min(info.left, x);
                    info.right = std::max(info.right, x);
                    info.bottom = y;
                }
            }
            for (uint32_t a = 0; a < count; ++a) {
                const oxhost::AreaInfo& got = labels.areas[a];
                EXPECT_EQ(
                    std::vector<int>({int(got.pixels), got.left, got.top, got.right, got.bottom,
                                      got.seedX, got.seedY}),
                    std::vector<int>({int(want[a].pixels), want[a].left, want[a].top, want[a].right,
                                      want[a].bottom, want[a].seedX, want[a].seedY}))
                    << "area " << a;
            }
        }
    }
}

TEST(LabelPaperAreas, EmptyMaskAndBadSize) {
    EXPECT_TRUE(oxhost::LabelPaperAreas(flattest::BlankMask(0, 0)).areas.empty());
    oxhost::InkMask bad = flattest::BlankMask(4, 4);
    bad.ink.pop_back();
    EXPECT_THROW(oxhost::LabelPaperAreas(bad), oxhost::HostError);
}

}  // namespace
