// The page generator's variants: soft edges, coloured ink, no paper, gapped
// outlines, and the number of areas the drawing was designed with.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "SmallLineArtPage.h"
#include "tools/samplepage/InkCanvas.h"
#include "tools/samplepage/LineArt.h"

namespace {

using oxhost::Document;
using oxlineart::DrawLineArtPage;
using oxlineart::LineArtOptions;

using imagetest::SmallPage;

// 4-connected areas of pixels whose red is at least 128 (under half ink on
// white paper), by a plain breadth-first search.
int CountLightAreas(const Document& page) {
    const int planes = page.TotalPlanes();
    auto light = [&](size_t index) { return page.pixels[index * size_t(planes)] >= 128; };
    std::vector<bool> seen(size_t(page.width) * page.height, false);
    std::vector<size_t> queue;
    int areas = 0;
    for (size_t start = 0; start < seen.size(); ++start) {
        if (seen[start] || !light(start)) {
            continue;
        }
        ++areas;
        seen[start] = true;
        queue.assign(1, start);
        while (!queue.empty()) {
            const size_t index = queue.back();
            queue.pop_back();
            const int row = int(index / page.width);
            const int column = int(index % page.width);
            const int steps[4][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
            for (const auto& step : steps) {
                const int nextRow = row + step[0];
                const int nextColumn = column + step[1];
                if (nextRow < 0 || nextColumn < 0 || nextRow >= page.height ||
                    nextColumn >= page.width) {
                    continue;
                }
                const size_t next = size_t(nextRow) * page.width + nextColumn;
                if (!seen[next] && light(next)) {
                    seen[next] = true;
                    queue.push_back(next);
                }
            }
        }
    }
    return areas;
}

TEST(LineArtVariantsTest, SoftEdgesRampOverThreePixels) {
    oxlineart::InkCanvas canvas(20, 20, 3);
    // A 2-pixel stroke along the centres of row 10: ink (2.5 - distance) / 3.
    canvas.StrokeSegment({2.5, 10.5}, {17.5, 10.5}, 2);
    std::vector<int> across;
    for (int row = 7; row <= 13; ++row) {
        across.push_back(canvas.InkAt(10, row));
    }
    EXPECT_EQ(across, (std::vector<int>{0, 43, 128, 213, 128, 43, 0}));

    LineArtOptions options = SmallPage(3);
    auto greyPixels = [](const Document& page) {
        size_t grey = 0;
        for (size_t sample = 0; sample < page.pixels.size(); sample += 3) {
            grey += page.pixels[sample] > 8 && page.pixels[sample] < 255;
        }
        return grey;
    };
    const size_t crisp = greyPixels(DrawLineArtPage(options));
    options.edgeSoftness = 3;
    EXPECT_GT(greyPixels(DrawLineArtPage(options)), crisp * 2);
}

TEST(LineArtVariantsTest, ColouredInkAndTransparentPaperFollowTheInkCoverage) {
    LineArtOptions options = SmallPage(3);
    const Document black = DrawLineArtPage(options);
    options.inkRed = 0x1a;
    options.inkGreen = 0x2a;
    options.inkBlue = 0x6c;
    const Document blue = DrawLineArtPage(options);
    options.transparentPaper = true;
    const Document transparent = DrawLineArtPage(options);
    ASSERT_TRUE(transparent.hasAlpha);
    ASSERT_EQ(transparent.pixels.size(), black.pixels.size() / 3 * 4);
    size_t bare = 0;
    for (size_t pixel = 0; pixel < black.pixels.size() / 3; ++pixel) {
        // On white paper black ink leaves 255 minus the ink.
        const int ink = 255 - black.pixels[pixel * 3];
        const uint8_t* clear = &transparent.pixels[pixel * 4];
        ASSERT_EQ(clear[0], 0x1a);
        ASSERT_EQ(clear[1], 0x2a);
        ASSERT_EQ(clear[2], 0x6c);
        ASSERT_EQ(clear[3], ink) << pixel;
        bare += ink == 0;
        // Coloured ink covers the white paper as much as black ink did.
        const int inkColor[3] = {0x1a, 0x2a, 0x6c};
        for (int plane = 0; plane < 3; ++plane) {
            ASSERT_EQ(blue.pixels[pixel * 3 + plane],
                      std::lround((255.0 * (255 - ink) + inkColor[plane] * ink) / 255))
                << pixel;
        }
    }
    EXPECT_GT(bare, black.pixels.size() / 3 / 2);
}

TEST(LineArtVariantsTest, GapsOpenOutlinesButNotTheDesignedAreaCount) {
    for (uint64_t seed : {2, 5, 9}) {
        LineArtOptions options = SmallPage(seed);
        int designed = 0;
        const Document whole = DrawLineArtPage(options, &designed);
        EXPECT_EQ(CountLightAreas(whole), designed) << seed;
        options.widestGap = 1;
        int designedWithGaps = 0;
        const Document gapped = DrawLineArtPage(options, &designedWithGaps);
        EXPECT_EQ(designedWithGaps, designed);
        EXPECT_LT(CountLightAreas(gapped), designed) << seed;
        // Gaps only take ink away.
        for (size_t sample = 0; sample < whole.pixels.size(); ++sample) {
            ASSERT_GE(gapped.pixels[sample], whole.pixels[sample]);
        }
    }
}

}  // namespace
