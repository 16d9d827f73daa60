#include <gtest/gtest.h>
#include <png.h>

#include "TestFiles.h"
#include "host/HostError.h"
#include "host/image/ImageFile.h"
#include "host/image/PngFile.h"

namespace {

using oxhost::ColorModel;
using oxhost::Document;
using oxhost::HostError;
using oxtest::Bytes;

class PngFileTest : public ::testing::Test {
protected:
    oxtest::TemporaryFolder folder;
};

TEST_F(PngFileTest, RgbAndRgbaRoundTripExactly) {
    for (bool hasAlpha : {false, true}) {
        Document original = oxtest::PatternDocument(37, 11, ColorModel::RGB, hasAlpha);
        std::string path = folder.File(hasAlpha ? "rgba.png" : "rgb.png");
        oxhost::WritePngFile(original, path);
        Document loaded = oxhost::ReadPngFile(path);
        EXPECT_EQ(loaded.width, 37);
        EXPECT_EQ(loaded.height, 11);
        EXPECT_EQ(loaded.model, ColorModel::RGB);
        EXPECT_EQ(loaded.hasAlpha, hasAlpha);
        EXPECT_EQ(loaded.pixels, original.pixels);
    }
}

TEST_F(PngFileTest, GreyBecomesRgbAndGreyAlphaKeepsAlpha) {
    const uint8_t grey[] = {0, 9, 128, 255};
    oxtest::WritePngForTest(folder.File("grey.png"), PNG_FORMAT_GRAY, 2, 2, grey);
    Document loaded = oxhost::ReadPngFile(folder.File("grey.png"));
    EXPECT_FALSE(loaded.hasAlpha);
    EXPECT_EQ(loaded.pixels, (Bytes{0, 0, 0, 9, 9, 9, 128, 128, 128, 255, 255, 255}));

    const uint8_t greyAlpha[] = {10, 0, 200, 255};
    oxtest::WritePngForTest(folder.File("ga.png"), PNG_FORMAT_GA, 2, 1, greyAlpha);
    loaded = oxhost::ReadPngFile(folder.File("ga.png"));
    EXPECT_TRUE(loaded.hasAlpha);
    EXPECT_EQ(loaded.pixels, (Bytes{10, 10, 10, 0, 200, 200, 200, 255}));
}

TEST_F(PngFileTest, PaletteBecomesRgbAndTransparentPaletteGivesAlpha) {
    const uint8_t indices[] = {2, 0, 1, 2};
    Bytes opaqueColormap = {10, 20, 30, 40, 50, 60, 250, 251, 252};
    oxtest::WritePngForTest(folder.File("palette.png"), PNG_FORMAT_RGB_COLORMAP, 4, 1, indices,
                            opaqueColormap, 3);
    Document loaded = oxhost::ReadPngFile(folder.File("palette.png"));
    EXPECT_FALSE(loaded.hasAlpha);
    EXPECT_EQ(loaded.pixels, (Bytes{250, 251, 252, 10, 20, 30, 40, 50, 60, 250, 251, 252}));

    Bytes transparentColormap = {10, 20, 30, 255, 40, 50, 60, 0, 70, 80, 90, 128};
    oxtest::WritePngForTest(folder.File("trns.png"), PNG_FORMAT_RGBA_COLORMAP, 4, 1, indices,
                            transparentColormap, 3);
    loaded = oxhost::ReadPngFile(folder.File("trns.png"));
    EXPECT_TRUE(loaded.hasAlpha);
    EXPECT_EQ(loaded.pixels,
              (Bytes{70, 80, 90, 128, 10, 20, 30, 255, 40, 50, 60, 0, 70, 80, 90, 128}));
}

TEST_F(PngFileTest, SixteenBitSamplesAreScaledToEightBits) {
    // Linear 16-bit output is stored without gamma conversion.
    const uint16_t samples[] = {0, 0x8080, 0xFFFF, 0x0101};
    oxtest::WritePngForTest(folder.File("deep.png"), PNG_FORMAT_LINEAR_Y, 4, 1, samples);
    Document loaded = oxhost::ReadPngFile(folder.File("deep.png"));
    EXPECT_EQ(loaded.pixels, (Bytes{0, 0, 0, 128, 128, 128, 255, 255, 255, 1, 1, 1}));
}

TEST_F(PngFileTest, CmykDocumentIsRefusedBeforeAnythingIsWritten) {
    oxtest::WriteBytes(folder.File("out.png"), {1, 2, 3});
    Document cmyk = oxtest::PatternDocument(4, 4, ColorModel::CMYK, false);
    EXPECT_THROW(oxhost::SaveImageFile(cmyk, folder.File("out.png")), HostError);
    EXPECT_EQ(oxtest::ReadBytes(folder.File("out.png")), (Bytes{1, 2, 3}));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"out.png"});
}

TEST_F(PngFileTest, OversizedHeaderIsRefusedBeforeReadingPixels) {
    // The image data is not even valid deflate: only a check made on the
    // header alone can produce the size message, whatever libpng's own limits.
    for (uint32_t width : {40000u, 2000000000u}) {
        Bytes file = oxtest::PngSignatureAndHeader(width, 10);
        for (const Bytes& chunk :
             {oxtest::PngChunk("IDAT", {0, 0, 0, 0}), oxtest::PngChunk("IEND", {})}) {
            file.insert(file.end(), chunk.begin(), chunk.end());
        }
        oxtest::WriteBytes(folder.File("wide.png"), file);
        try {
            oxhost::LoadImageFile(folder.File("wide.png"));
            FAIL() << "a " << width << " pixel wide image was accepted";
        } catch (const HostError& error) {
            std::string message = error.what();
            EXPECT_NE(message.find(std::to_string(width) + " x 10"), std::string::npos) << message;
            EXPECT_NE(message.find("32767"), std::string::npos) << message;
        }
    }
}

TEST_F(PngFileTest, DamagedFilesGiveHostError) {
    oxhost::WritePngFile(oxtest::PatternDocument(64, 64, ColorModel::RGB, true),
                         folder.File("good.png"));
    Bytes good = oxtest::ReadBytes(folder.File("good.png"));

    Bytes half(good.begin(), good.begin() + good.size() / 2);
    oxtest::WriteBytes(folder.File("half.png"), half);
    EXPECT_THROW(oxhost::LoadImageFile(folder.File("half.png")), HostError);

    Bytes badHeader = good;
    badHeader[18] ^= 0xFF;  // a width byte: the header CRC no longer matches
    oxtest::WriteBytes(folder.File("header.png"), badHeader);
    EXPECT_THROW(oxhost::LoadImageFile(folder.File("header.png")), HostError);

    Bytes badData = good;
    for (size_t index = 60; index < 90; ++index) {
        badData[index] ^= 0x5A;
    }
    oxtest::WriteBytes(folder.File("data.png"), badData);
    EXPECT_THROW(oxhost::LoadImageFile(folder.File("data.png")), HostError);
}

TEST_F(PngFileTest, EveryTruncationIsRejectedCleanly) {
    oxhost::WritePngFile(oxtest::PatternDocument(9, 7, ColorModel::RGB, false),
                         folder.File("small.png"));
    Bytes whole = oxtest::ReadBytes(folder.File("small.png"));
    // The image data ends 12 bytes before the file does (the IEND chunk),
    // which the reader does not need.
    for (size_t length = 0; length + 12 < whole.size(); ++length) {
        oxtest::WriteBytes(folder.File("cut.png"), Bytes(whole.begin(), whole.begin() + length));
        EXPECT_THROW(oxhost::ReadPngFile(folder.File("cut.png")), HostError) << length;
    }
}

}  // namespace
