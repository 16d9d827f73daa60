// The picture button's bitmap: 24-bit device-independent bitmaps, rows
// bottom-up or top-down, padded to four bytes, blue first.
#include <gtest/gtest.h>

#include <vector>

#include "host/dialog/FltkPicture.h"

namespace dialogfltk {
namespace {

void Put32(std::vector<unsigned char>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + size_t(i)] = uint8_t(value >> (8 * i));
    }
}

// A 2 x 2 bitmap (rows of 6 bytes padded to 8): `height` negative for top-down.
std::vector<unsigned char> TwoByTwo(int32_t height, uint16_t bitsPerPixel = 24) {
    std::vector<unsigned char> bytes(40 + 16, 0);
    Put32(bytes, 0, 40);
    Put32(bytes, 4, 2);
    Put32(bytes, 8, uint32_t(height));
    bytes[12] = 1;
    bytes[14] = uint8_t(bitsPerPixel);
    // File row 0: blue pixel, green pixel; file row 1: red pixel, white pixel.
    const unsigned char rows[16] = {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0};
    std::copy(rows, rows + 16, bytes.begin() + 40);
    return bytes;
}

TEST(BitmapTest, BottomUpRowsComeOutTopFirstInRgb) {
    std::vector<unsigned char> rgb;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(oxhost::DecodeBitmap24(TwoByTwo(2), rgb, width, height));
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 2);
    const std::vector<unsigned char> expected = {255, 0, 0, 255, 255, 255, 0, 0, 255, 0, 255, 0};
    EXPECT_EQ(rgb, expected);
}

TEST(BitmapTest, TopDownRowsKeepTheirOrder) {
    std::vector<unsigned char> rgb;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(oxhost::DecodeBitmap24(TwoByTwo(-2), rgb, width, height));
    const std::vector<unsigned char> expected = {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255};
    EXPECT_EQ(rgb, expected);
}

TEST(BitmapTest, OtherDepthsAndShortDataAreRefused) {
    std::vector<unsigned char> rgb;
    int width = 0;
    int height = 0;
    EXPECT_FALSE(oxhost::DecodeBitmap24(TwoByTwo(2, 8), rgb, width, height));
    std::vector<unsigned char> cut = TwoByTwo(2);
    cut.resize(cut.size() - 1);
    EXPECT_FALSE(oxhost::DecodeBitmap24(cut, rgb, width, height));
    EXPECT_FALSE(oxhost::DecodeBitmap24({}, rgb, width, height));
}

}  // namespace
}  // namespace dialogfltk
