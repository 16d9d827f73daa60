// The fill by runs against the plain span fill of FloodFill.h, whose test
// paints one pixel at a time: the same pixels painted, the same count and
// bounding box, every painted pixel reported in exactly one run.
#include <gtest/gtest.h>

#include <algorithm>

#include "FillBuffers.h"
#include "FloodFill.h"
#include "RunFill.h"

namespace {

using fillbuffers::Buffer;
using fillbuffers::Shape;

struct Area {
    uint32_t pixels = 0;
    int32_t left = 1 << 30;
    int32_t top = 1 << 30;
    int32_t right = -1;
    int32_t bottom = -1;

    void Add(int32_t row, int32_t left, int32_t end) {
        pixels += uint32_t(end - left);
        this->left = std::min(this->left, left);
        right = std::max(right, end - 1);
        top = std::min(top, row);
        bottom = std::max(bottom, row);
    }
    bool operator==(const Area& other) const {
        return pixels == other.pixels && left == other.left && top == other.top &&
               right == other.right && bottom == other.bottom;
    }
};

Area PlainFill(Buffer& buffer, const ColorRange& range, const uint8_t colour[4], int32_t column,
               int32_t row) {
    Area area;
    const PixelBuffer& view = buffer.view;
    SpanFill(column, row, [&](int32_t c, int32_t r) {
        if (c < 0 || c >= view.width || r < 0 || r >= view.height ||
            !range.Contains(buffer.Channel(r, c, 0), view.channelCount, view.planeStep)) {
            return false;
        }
        for (int k = 0; k < view.channelCount; ++k) {
            *buffer.Channel(r, c, k) = colour[k];
        }
        area.Add(r, c, c + 1);
        return true;
    });
    return area;
}

// Fills by runs; fails the test when a pixel is reported twice.
Area FillByRuns(Buffer& buffer, const ColorRange& range, const uint8_t colour[4], int32_t column,
                int32_t row) {
    Area area;
    const PixelBuffer& view = buffer.view;
    std::vector<bool> reported(size_t(view.width) * size_t(view.height), false);
    WithPixelRows(view, LayoutOf(view), range, colour, [&](const auto& rows) {
        FillRuns(rows, column, row, [&](int32_t runRow, int32_t left, int32_t end) {
            EXPECT_LT(left, end);
            for (int32_t x = left; x < end; ++x) {
                const size_t at = size_t(runRow) * size_t(view.width) + size_t(x);
                EXPECT_FALSE(reported[at]) << "reported twice: " << runRow << "," << x;
                reported[at] = true;
            }
            area.Add(runRow, left, end);
        });
    });
    return area;
}

// A colour out of the range: its first channel lies above the bound.
void OutOfRangeColour(const ColorRange& range, std::mt19937& random, uint8_t colour[4]) {
    for (int k = 0; k < 4; ++k) {
        colour[k] = uint8_t(random());
    }
    colour[0] = uint8_t(range.high[0] + 1 + random() % (255u - range.high[0]));
}

// Fills from several seeds one after the other (as the scan does, each with
// a colour of its own), both ways, and compares after each.
void ExpectSameFills(const Buffer& original, const ColorRange& range, std::mt19937& random,
                     const std::string& what, int seeds) {
    Buffer plain = original;
    Buffer runs = original;
    const int32_t width = original.view.width;
    const int32_t height = original.view.height;
    for (int i = 0; i < seeds; ++i) {
        // Now and then a seed just outside the buffer.
        const int32_t column = int32_t(random() % uint32_t(width + 2)) - 1;
        const int32_t row = int32_t(random() % uint32_t(height + 2)) - 1;
        uint8_t colour[4];
        OutOfRangeColour(range, random, colour);
        const Area expected = PlainFill(plain, range, colour, column, row);
        const Area found = FillByRuns(runs, range, colour, column, row);
        ASSERT_TRUE(found == expected)
            << what << " seed " << row << "," << column << ": " << found.pixels << " pixels, "
            << expected.pixels << " expected";
        ASSERT_EQ(runs.bytes, plain.bytes) << what << " seed " << row << "," << column;
    }
}

TEST(RunFillTest, PaintsWhatThePlainFillPaintsInEveryLayout) {
    std::mt19937 random(21);
    for (const Shape& shape : fillbuffers::Shapes()) {
        for (int trial = 0; trial < 40; ++trial) {
            const int32_t width = 1 + int32_t(random() % (trial % 4 == 0 ? 150 : 40));
            const int32_t height = 1 + int32_t(random() % 40);
            Buffer buffer(shape, width, height);
            const ColorRange range = fillbuffers::RandomRange(random);
            // Short stretches make mazes of small areas, long ones big areas
            // with many branches.
            fillbuffers::FillStretches(buffer, range, random, 1 + random() % 30,
                                       50 + random() % 30);
            ExpectSameFills(buffer, range, random, shape.name + " trial " + std::to_string(trial),
                            12);
        }
    }
}

}  // namespace
