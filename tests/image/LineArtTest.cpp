#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "SmallLineArtPage.h"
#include "tools/samplepage/InkCanvas.h"
#include "tools/samplepage/LineArt.h"

namespace {

using oxhost::Document;
using oxlineart::DrawLineArtPage;
using oxlineart::InkCanvas;
using oxlineart::LineArtOptions;

constexpr int kLineLimit = 8;  // a line pixel has every colour plane at or below this

using imagetest::SmallPage;

bool IsDark(const Document& page, int row, int column) {
    const uint8_t* pixel = page.Pixel(row, column);
    return pixel[0] <= kLineLimit && pixel[1] <= kLineLimit && pixel[2] <= kLineLimit;
}

// Side of the largest square of dark pixels on the page.
int LargestDarkSquare(const Document& page) {
    std::vector<int> above(page.width + 1, 0);
    std::vector<int> current(page.width + 1, 0);
    int largest = 0;
    for (int row = 0; row < page.height; ++row) {
        for (int column = 0; column < page.width; ++column) {
            current[column + 1] =
                IsDark(page, row, column)
                    ? 1 + std::min({above[column], above[column + 1], current[column]})
                    : 0;
            largest = std::max(largest, current[column + 1]);
        }
        std::swap(above, current);
    }
    return largest;
}

// Labels the 4-connected areas of a white-paper page the way a flood filler
// sees them (less than half ink), by breadth-first search; -1 for line pixels.
std::vector<int> LabelAreas(const Document& whitePage, int& areaCount) {
    size_t pixelCount = size_t(whitePage.width) * whitePage.height;
    std::vector<int> labels(pixelCount, -1);
    std::vector<size_t> queue;
    areaCount = 0;
    for (size_t start = 0; start < pixelCount; ++start) {
        if (labels[start] != -1 || whitePage.pixels[start * 3] < 128) {
            continue;
        }
        labels[start] = areaCount;
        queue.assign(1, start);
        while (!queue.empty()) {
            size_t index = queue.back();
            queue.pop_back();
            int row = int(index / whitePage.width);
            int column = int(index % whitePage.width);
            const int steps[4][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
            for (const auto& step : steps) {
                int nextRow = row + step[0];
                int nextColumn = column + step[1];
                if (nextRow < 0 || nextColumn < 0 || nextRow >= whitePage.height ||
                    nextColumn >= whitePage.width) {
                    continue;
                }
                size_t next = size_t(nextRow) * whitePage.width + nextColumn;
                if (labels[next] == -1 && whitePage.pixels[next * 3] >= 128) {
                    labels[next] = areaCount;
                    queue.push_back(next);
                }
            }
        }
        ++areaCount;
    }
    return labels;
}

TEST(InkCanvasTest, StrokeEdgeRampsOverOnePixel) {
    InkCanvas canvas(20, 20);
    // Along the centres of row 10; a 2-pixel stroke reaches 1 pixel each side,
    // where the edge ramp gives half coverage.
    canvas.StrokeSegment({2.5, 10.5}, {17.5, 10.5}, 2);
    std::vector<int> across;
    for (int row = 8; row <= 12; ++row) {
        across.push_back(canvas.InkAt(10, row));
    }
    EXPECT_EQ(across, (std::vector<int>{0, 128, 255, 128, 0}));
    std::vector<int> roundCap;
    for (int column = 0; column <= 3; ++column) {
        roundCap.push_back(canvas.InkAt(column, 10));
    }
    EXPECT_EQ(roundCap, (std::vector<int>{0, 128, 255, 255}));
    // sqrt(2) from the end, so 1.5 - sqrt(2) of the ramp: a round cap.
    EXPECT_EQ(canvas.InkAt(1, 9), 22);
}

TEST(InkCanvasTest, ClipKeepsInkInside) {
    InkCanvas canvas(20, 20);
    canvas.SetClip(5, 5, 15, 15);
    canvas.StrokeSegment({0, 0}, {20, 20}, 4);
    canvas.ClearClip();
    for (int row = 0; row < 20; ++row) {
        for (int column = 0; column < 20; ++column) {
            bool inside = row >= 5 && row < 15 && column >= 5 && column < 15;
            EXPECT_EQ(canvas.InkAt(column, row) > 0, inside && std::abs(row - column) <= 3)
                << column << ", " << row;
        }
    }
}

TEST(LineArtTest, SameSeedGivesSamePixels) {
    Document first = DrawLineArtPage(SmallPage(7));
    Document again = DrawLineArtPage(SmallPage(7));
    Document other = DrawLineArtPage(SmallPage(8));
    EXPECT_EQ(first.pixels, again.pixels);
    EXPECT_NE(first.pixels, other.pixels);
}

TEST(LineArtTest, WhitePageHasBlackLinesGreyEdgesAndEnclosedAreas) {
    Document page = DrawLineArtPage(SmallPage(3));
    ASSERT_EQ(page.model, oxhost::ColorModel::RGB);
    ASSERT_FALSE(page.hasAlpha);
    size_t dark = 0;
    size_t white = 0;
    size_t grey = 0;
    for (size_t offset = 0; offset < page.pixels.size(); offset += 3) {
        uint8_t value = page.pixels[offset];
        ASSERT_EQ(page.pixels[offset + 1], value);
        ASSERT_EQ(page.pixels[offset + 2], value);
        dark += value <= kLineLimit;
        white += value == 255;
        grey += value > kLineLimit && value < 255;
    }
    size_t pixelCount = page.pixels.size() / 3;
    EXPECT_GT(dark, pixelCount / 50);
    EXPECT_GT(white, pixelCount / 2);
    EXPECT_GT(grey, dark / 10);  // anti-aliased edges along the lines

    int areaCount = 0;
    LabelAreas(page, areaCount);
    EXPECT_GE(areaCount, 20);
}

TEST(LineArtTest, FlatColoursFillEachAreaWithOneColour) {
    LineArtOptions options = SmallPage(3);
    Document white = DrawLineArtPage(options);
    options.flatColors = true;
    Document colored = DrawLineArtPage(options);

    int areaCount = 0;
    std::vector<int> labels = LabelAreas(white, areaCount);
    std::map<int, std::vector<uint8_t>> areaColors;
    size_t chromatic = 0;
    for (int row = 0; row < white.height; ++row) {
        for (int column = 0; column < white.width; ++column) {
            const uint8_t* pixel = colored.Pixel(row, column);
            chromatic += pixel[0] != pixel[1] || pixel[1] != pixel[2];
            if (IsDark(white, row, column)) {
                EXPECT_TRUE(IsDark(colored, row, column)) << column << ", " << row;
            }
            if (white.Pixel(row, column)[0] != 255) {
                continue;  // inked pixels are darkened paper
            }
            std::vector<uint8_t> color(pixel, pixel + 3);
            auto [known, inserted] =
                areaColors.emplace(labels[size_t(row) * white.width + column], color);
            ASSERT_EQ(known->second, color) << "area split at " << column << ", " << row;
        }
    }
    EXPECT_EQ(areaColors[labels[0]], (std::vector<uint8_t>{255, 255, 255}));  // the margin
    EXPECT_GT(chromatic, colored.pixels.size() / 6);
}

TEST(LineArtTest, ThickLinesAreWiderThanFifteenPixelsAndThinOnesAreNot) {
    LineArtOptions options = SmallPage(5);
    options.lineWidthMin = 15;
    options.lineWidthMax = 25;
    EXPECT_GE(LargestDarkSquare(DrawLineArtPage(options)), 15);
    options.lineWidthMin = 1;
    options.lineWidthMax = 3;
    EXPECT_LT(LargestDarkSquare(DrawLineArtPage(options)), 10);
}

TEST(LineArtTest, CmykPageInksLinesInBlackOnly) {
    LineArtOptions options = SmallPage(4);
    Document rgb = DrawLineArtPage(options);
    options.cmyk = true;
    Document cmyk = DrawLineArtPage(options);
    ASSERT_EQ(cmyk.model, oxhost::ColorModel::CMYK);
    ASSERT_EQ(cmyk.pixels.size(), size_t(rgb.width) * rgb.height * 4);
    for (size_t pixel = 0; pixel < size_t(rgb.width) * rgb.height; ++pixel) {
        // No C, M or Y ink (255); K is 255 minus the ink, as grey is on RGB paper.
        ASSERT_EQ(cmyk.pixels[pixel * 4], 255);
        ASSERT_EQ(cmyk.pixels[pixel * 4 + 1], 255);
        ASSERT_EQ(cmyk.pixels[pixel * 4 + 2], 255);
        ASSERT_EQ(cmyk.pixels[pixel * 4 + 3], rgb.pixels[pixel * 3]);
    }
}

}  // namespace
