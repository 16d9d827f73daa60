// The rows classes against a walk pixel by pixel with the range's own test:
// the layout each buffer gets, block compares and the searches along a row.
// (Painting is checked by the fill's tests, byte for byte.)
#include <gtest/gtest.h>

#include "FillBuffers.h"
#include "PixelRows.h"
#include "RowSearch.h"

namespace {

using fillbuffers::Buffer;
using fillbuffers::Shape;

// The plain answer: the range's test at the pixel's channels.
bool PlainContains(const PixelBuffer& view, const ColorRange& range, int32_t row, int32_t x) {
    return range.Contains(view.Row(row) + intptr_t(x) * view.columnStep, view.channelCount,
                          view.planeStep);
}

// Runs check(rows) with the rows class LayoutOf chooses for the buffer.
template <typename Check>
void ForRows(const Buffer& buffer, const ColorRange& range, const uint8_t colour[4], Check check) {
    WithPixelRows(buffer.view, LayoutOf(buffer.view), range, colour, [&](const auto& rows) {
        check(rows);
        return 0;
    });
}

TEST(PixelRowsTest, LayoutOfNamesEachKindOfBuffer) {
    for (const Shape& shape : fillbuffers::Shapes()) {
        const Buffer buffer(shape, 20, 3);
        EXPECT_EQ(LayoutOf(buffer.view), shape.layout) << shape.name;
    }
    const Buffer packed(fillbuffers::Shapes()[0], 20, 3);
    PixelBuffer view = packed.view;
    view.rowBytes = 59;  // rows meet
    EXPECT_EQ(LayoutOf(view), RowLayout::PixelByPixel);
    view = packed.view;
    view.planeStep = 2;  // a pixel's channels reach into the next pixel
    EXPECT_EQ(LayoutOf(view), RowLayout::PixelByPixel);
    view = packed.view;
    view.fromOrigin = false;
    EXPECT_EQ(LayoutOf(view), RowLayout::PixelByPixel);
    const Buffer planar(fillbuffers::Shapes()[3], 20, 3);
    view = planar.view;
    view.planeStep -= 1;  // the last row of a plane meets the next plane
    EXPECT_EQ(LayoutOf(view), RowLayout::PixelByPixel);
    view = planar.view;
    view.rowBytes = -view.rowBytes;
    EXPECT_EQ(LayoutOf(view), RowLayout::PixelByPixel);
}

TEST(PixelRowsTest, BlocksAndSearchesAgreeWithThePixelTest) {
    std::mt19937 random(11);
    const uint8_t colour[4] = {1, 2, 3, 4};
    for (const Shape& shape : fillbuffers::Shapes()) {
        for (int trial = 0; trial < 30; ++trial) {
            const int32_t width = 1 + int32_t(random() % 90);
            Buffer buffer(shape, width, 4);
            const ColorRange range = fillbuffers::RandomRange(random);
            fillbuffers::FillStretches(buffer, range, random, 1 + random() % 40, 50);
            ForRows(buffer, range, colour, [&](const auto& rows) {
                using Rows = std::decay_t<decltype(rows)>;
                for (int32_t row = 0; row < 4; ++row) {
                    const uint8_t* pixels = rows.Row(row);
                    for (int32_t x = 0; x + kBlockPixels <= width; ++x) {
                        uint64_t plain = 0;
                        for (int32_t i = 0; i < kBlockPixels; ++i) {
                            plain |= uint64_t(PlainContains(buffer.view, range, row, x + i))
                                     << (i * Rows::kBitsPerPixel);
                        }
                        ASSERT_EQ(rows.BlockBits(pixels, x), plain) << shape.name << " x " << x;
                    }
                    for (int32_t x = 0; x <= width; ++x) {
                        const int32_t limit = x + int32_t(random() % uint32_t(width + 1 - x));
                        int32_t inside = x;
                        while (inside < limit && !PlainContains(buffer.view, range, row, inside)) {
                            ++inside;
                        }
                        int32_t outside = x;
                        while (outside < limit && PlainContains(buffer.view, range, row, outside)) {
                            ++outside;
                        }
                        int32_t start = x;
                        while (start > 0 && PlainContains(buffer.view, range, row, start - 1)) {
                            --start;
                        }
                        ASSERT_EQ(NextInside(rows, pixels, x, limit), inside) << shape.name;
                        ASSERT_EQ(NextOutside(rows, pixels, x, limit), outside) << shape.name;
                        ASSERT_EQ(RunStartBefore(rows, pixels, x), start) << shape.name;
                    }
                }
            });
        }
    }
}

}  // namespace
