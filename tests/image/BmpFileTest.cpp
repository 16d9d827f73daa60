// BMP files built byte by byte in the test (TestFiles' BmpBytesForTest), read
// through the loader: every pixel depth and row order, colour masks, and
// files that lie about their size.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "TestFiles.h"
#include "host/HostError.h"
#include "host/image/DocumentAllocation.h"
#include "host/image/ImageFile.h"

namespace {

using oxhost::ColorModel;
using oxhost::Document;
using oxtest::BmpSpec;
using oxtest::Bytes;

class BmpFileTest : public ::testing::Test {
protected:
    ~BmpFileTest() override { oxhost::SetPixelBudget(0); }

    Document Load(const BmpSpec& spec) {
        oxtest::WriteBytes(folder.File("image.bmp"), oxtest::BmpBytesForTest(spec));
        return oxhost::LoadImageFile(folder.File("image.bmp"));
    }

    std::string LoadFailure(const Bytes& bytes) {
        oxtest::WriteBytes(folder.File("bad.bmp"), bytes);
        try {
            oxhost::LoadImageFile(folder.File("bad.bmp"));
        } catch (const oxhost::HostError& error) {
            return error.what();
        }
        return "no error";
    }

    std::string Named(const std::string& problem) {
        return "'" + folder.File("bad.bmp") + "': " + problem;
    }

    oxtest::TemporaryFolder folder;
};

// An odd width, so that rows end inside a byte and are padded.
constexpr int kWidth = 13;
constexpr int kHeight = 5;

std::vector<uint32_t> Values(uint32_t modulus) {
    std::vector<uint32_t> values;
    for (int index = 0; index < kWidth * kHeight; ++index) {
        values.push_back(uint32_t(index * 7 + index / kWidth) % modulus);
    }
    return values;
}

TEST_F(BmpFileTest, PaletteImagesOfEveryDepthAndRowOrderLoadExactly) {
    for (int bits : {1, 4, 8}) {
        for (bool topDown : {false, true}) {
            BmpSpec spec;
            spec.width = kWidth;
            spec.height = kHeight;
            spec.topDown = topDown;
            spec.bitsPerPixel = bits;
            const uint32_t entries = bits == 1 ? 2 : bits == 4 ? 16 : 40;
            for (uint32_t entry = 0; entry < entries; ++entry) {
                spec.palette.insert(spec.palette.end(), {uint8_t(entry * 3), uint8_t(entry * 5 + 1),
                                                         uint8_t(250 - entry)});
            }
            spec.pixels = Values(entries);
            const Document loaded = Load(spec);
            ASSERT_EQ(loaded.width, kWidth);
            ASSERT_EQ(loaded.height, kHeight);
            EXPECT_FALSE(loaded.hasAlpha);
            Bytes expected;
            for (uint32_t index : spec.pixels) {
                const uint8_t* bgr = spec.palette.data() + index * 3;
                expected.insert(expected.end(), {bgr[2], bgr[1], bgr[0]});
            }
            EXPECT_EQ(loaded.pixels, expected) << bits << " bits, top-down " << topDown;
        }
    }
}

TEST_F(BmpFileTest, CoreHeaderPaletteHasThreeByteEntries) {
    BmpSpec spec;
    spec.width = 3;
    spec.height = 2;
    spec.headerBytes = 12;
    spec.bitsPerPixel = 8;
    spec.palette = {1, 2, 3, 4, 5, 6};
    spec.pixels = {0, 1, 1, 1, 0, 0};
    EXPECT_EQ(Load(spec).pixels, (Bytes{3, 2, 1, 6, 5, 4, 6, 5, 4, 6, 5, 4, 3, 2, 1, 3, 2, 1}));
}

TEST_F(BmpFileTest, TrueColourPixelsLoadExactlyAndThePlainFourthByteIsIgnored) {
    for (int bits : {24, 32}) {
        BmpSpec spec;
        spec.width = kWidth;
        spec.height = kHeight;
        spec.bitsPerPixel = bits;
        spec.pixels = Values(0xFFFFFF);
        for (uint32_t& value : spec.pixels) {
            value = value * 0x10305u % 0x1000000u | (bits == 32 ? 0x7F000000u : 0);
        }
        const Document loaded = Load(spec);
        EXPECT_FALSE(loaded.hasAlpha);
        Bytes expected;
        for (uint32_t value : spec.pixels) {
            expected.insert(expected.end(),
                            {uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)});
        }
        EXPECT_EQ(loaded.pixels, expected) << bits << " bits";
    }
}

// 16-bit channels of 5 and 6 bits are scaled to 0..255 with rounding; 32-bit
// masks with an alpha mask give alpha, whether the masks follow a 40-byte
// header or sit in a V5 header.
TEST_F(BmpFileTest, ColourMasksPlaceAndScaleEachChannel) {
    BmpSpec wide;
    wide.width = 4;
    wide.height = 1;
    wide.bitsPerPixel = 16;
    wide.compression = 3;
    wide.masks[0] = 0xF800;  // 5-6-5
    wide.masks[1] = 0x07E0;
    wide.masks[2] = 0x001F;
    wide.pixels = {0xFFFF, 0x0000, 0x8410, 0x07E0 | 3};
    const Document narrow = Load(wide);
    auto scaled = [](int value, int largest) {
        return uint8_t(std::lround(value * 255.0 / largest));
    };
    EXPECT_EQ(narrow.pixels, (Bytes{255, 255, 255, 0, 0, 0, scaled(16, 31), scaled(32, 63),
                                    scaled(16, 31), 0, 255, scaled(3, 31)}));

    for (uint32_t headerBytes : {40u, 124u}) {
        BmpSpec alpha;
        alpha.width = 2;
        alpha.height = 1;
        alpha.bitsPerPixel = 32;
        alpha.headerBytes = headerBytes;
        alpha.compression = headerBytes == 40 ? 6 : 3;
        alpha.masks[0] = 0x0000FF00;
        alpha.masks[1] = 0x00FF0000;
        alpha.masks[2] = 0xFF000000;
        alpha.masks[3] = 0x000000FF;
        alpha.pixels = {0x11223344, 0xAABBCCDD};
        const Document loaded = Load(alpha);
        EXPECT_TRUE(loaded.hasAlpha) << headerBytes;
        EXPECT_EQ(loaded.pixels, (Bytes{0x33, 0x22, 0x11, 0x44, 0xCC, 0xBB, 0xAA, 0xDD}))
            << headerBytes;
    }
}

TEST_F(BmpFileTest, DamagedFilesSayWhatIsWrongInOneLine) {
    BmpSpec spec;
    spec.width = 4;
    spec.height = 3;
    spec.pixels.assign(12, 0x123456);
    const Bytes good = oxtest::BmpBytesForTest(spec);

    Bytes cut = good;
    cut.resize(cut.size() - 5);
    EXPECT_EQ(LoadFailure(cut),
              Named("damaged BMP file (31 bytes of pixel data, 36 needed for 4 x 3)"));
    EXPECT_EQ(LoadFailure(Bytes(good.begin(), good.begin() + 30)),
              Named("damaged BMP file (the file ends in the header)"));

    Bytes planes = good;
    planes[26] = 2;
    EXPECT_EQ(LoadFailure(planes), Named("damaged BMP file (2 planes)"));
    Bytes runLength = good;
    runLength[30] = 1;
    EXPECT_EQ(LoadFailure(runLength), Named("unsupported BMP: run-length compression"));
    Bytes dataInHeader = good;
    dataInHeader[10] = 20;
    EXPECT_EQ(LoadFailure(dataInHeader),
              Named("damaged BMP file (the pixel data starts inside the header)"));

    BmpSpec palette;
    palette.width = 2;
    palette.height = 1;
    palette.bitsPerPixel = 8;
    palette.palette = {0, 0, 0, 9, 9, 9};
    palette.pixels = {1, 2};
    EXPECT_EQ(LoadFailure(oxtest::BmpBytesForTest(palette)),
              Named("damaged BMP file (a pixel uses colour 2 of a palette of 2)"));

    BmpSpec mask = spec;
    mask.bitsPerPixel = 32;
    mask.compression = 3;
    mask.masks[0] = 0xF0F0;  // two runs of bits
    mask.masks[1] = 0xFF0000;
    mask.masks[2] = 0xFF000000;
    EXPECT_NE(LoadFailure(oxtest::BmpBytesForTest(mask)).find("colour mask 0x0000F0F0"),
              std::string::npos);
}

// The header alone decides: sides beyond the interface's and images over
// the budget are refused before any row is read.
TEST_F(BmpFileTest, SizesAreCheckedBeforeThePixels) {
    BmpSpec spec;
    spec.width = 4;
    spec.height = 1;
    spec.pixels.assign(4, 0);
    Bytes header = oxtest::BmpBytesForTest(spec);
    header.resize(54);
    header[18] = 0x40;  // width 40000
    header[19] = 0x9C;
    EXPECT_NE(LoadFailure(header).find("the largest side allowed is 32767"), std::string::npos);

    header[18] = 0x30;  // 30000 x 30000, 900 megapixels
    header[19] = 0x75;
    header[22] = 0x30;
    header[23] = 0x75;
    oxhost::SetPixelBudget(1000000);
    EXPECT_NE(LoadFailure(header).find("900.0 megapixels"), std::string::npos);
    oxhost::SetPixelBudget(0);
    EXPECT_NE(LoadFailure(header).find("0 bytes of pixel data, 2700000000 needed"),
              std::string::npos);
}

}  // namespace
