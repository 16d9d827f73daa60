// What readers and writers report while they work: rows (and the rows of
// each further pass or plane) rising to the total, never back. JPEG and WebP
// are checked beside their own tests.
#include <gtest/gtest.h>
#include <png.h>
#include <tiffio.h>

#include <cstdio>
#include <string>

#include "TestFiles.h"
#include "host/image/ImageFile.h"

namespace {

using oxhost::ColorModel;
using oxhost::Document;
using oxtest::ProgressRecord;

constexpr int kWidth = 19;
constexpr int kHeight = 23;

// An Adam7-interlaced RGB PNG, through libpng's ordinary writer.
void WriteInterlacedPng(const std::string& path, const Document& document) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(document.width), png_uint_32(document.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_ADAM7, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_bytep> rows;
    for (int row = 0; row < document.height; ++row) {
        rows.push_back(const_cast<png_bytep>(document.Pixel(row, 0)));
    }
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

class ImageProgressTest : public ::testing::Test {
protected:
    oxtest::TemporaryFolder folder;
};

TEST_F(ImageProgressTest, WritersAndReadersReportEveryRowUpToTheEnd) {
    const Document document = oxtest::PatternDocument(kWidth, kHeight, ColorModel::RGB, true);
    for (const char* name : {"page.png", "page.tif", "page.pam"}) {
        ProgressRecord writing;
        oxhost::SaveImageFile(document, folder.File(name), writing.Callback());
        EXPECT_EQ(writing.Problem(), "") << name;
        EXPECT_EQ(writing.calls.size(), size_t(kHeight)) << name;
        EXPECT_EQ(writing.calls.back().second, kHeight) << name;

        ProgressRecord reading;
        const Document loaded = oxhost::LoadImageFile(folder.File(name), reading.Callback());
        EXPECT_EQ(loaded.pixels, document.pixels) << name;
        EXPECT_EQ(reading.Problem(), "") << name;
        EXPECT_EQ(reading.calls.size(), size_t(kHeight)) << name;
        EXPECT_EQ(reading.calls.back().second, kHeight) << name;
    }

    oxtest::BmpSpec bmp;
    bmp.width = kWidth;
    bmp.height = kHeight;
    bmp.pixels.assign(size_t(kWidth) * kHeight, 0x204060);
    oxtest::WriteBytes(folder.File("page.bmp"), oxtest::BmpBytesForTest(bmp));
    ProgressRecord reading;
    oxhost::LoadImageFile(folder.File("page.bmp"), reading.Callback());
    EXPECT_EQ(reading.Problem(), "");
    EXPECT_EQ(reading.calls.size(), size_t(kHeight));
}

// Each of Adam7's seven passes goes over the rows again, and each plane of
// a TIFF with separate planes is read on its own: the total counts them all.
TEST_F(ImageProgressTest, PassesAndPlanesAddToTheTotal) {
    const Document document = oxtest::PatternDocument(kWidth, kHeight, ColorModel::RGB, false);
    WriteInterlacedPng(folder.File("interlaced.png"), document);
    ProgressRecord passes;
    const Document interlaced =
        oxhost::LoadImageFile(folder.File("interlaced.png"), passes.Callback());
    EXPECT_EQ(interlaced.pixels, document.pixels);
    EXPECT_EQ(passes.Problem(), "");
    EXPECT_EQ(passes.calls.back().second, 7 * kHeight);

    oxtest::TiffSpec planes;
    planes.width = kWidth;
    planes.height = kHeight;
    planes.separatePlanes = true;
    planes.tileSide = 16;
    planes.samples = document.pixels;
    oxtest::WriteTiffForTest(folder.File("planes.tif"), planes);
    ProgressRecord tiles;
    const Document tiled = oxhost::LoadImageFile(folder.File("planes.tif"), tiles.Callback());
    EXPECT_EQ(tiled.pixels, document.pixels);
    EXPECT_EQ(tiles.Problem(), "");
    EXPECT_EQ(tiles.calls.back().second, 3 * kHeight);
    // One report per band of tiles: two bands in each of three planes.
    EXPECT_EQ(tiles.calls.size(), 6u);
}

}  // namespace
