// JPEG files written here with libjpeg itself, read back through the loader.
#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "TestFiles.h"
#include "host/HostError.h"
#include "host/image/ImageFile.h"

namespace {

using oxhost::ColorModel;
using oxhost::Document;
using oxhost::HostError;
using oxtest::Bytes;

// Lossy coding moves smooth samples by a few levels at quality 95.
constexpr int kJpegTolerance = 6;

// Interleaved samples (1 or 3 per pixel) of a smooth gradient, which JPEG keeps closely.
Bytes Gradient(int width, int height, int components) {
    Bytes samples;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            for (int component = 0; component < components; ++component) {
                samples.push_back(uint8_t(40 + 4 * row + 3 * column + 20 * component));
            }
        }
    }
    return samples;
}

// `exif`, when given, is written as an APP1 marker; `progressive` makes a
// file of several scans.
void WriteJpegForTest(const std::string& path, int width, int height, int components,
                      const Bytes& samples, const Bytes& exif = {}, bool progressive = false) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (progressive) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    if (!exif.empty()) {
        jpeg_write_marker(&info, JPEG_APP0 + 1, exif.data(), unsigned(exif.size()));
    }
    for (int row = 0; row < height; ++row) {
        JSAMPROW line = const_cast<JSAMPLE*>(samples.data() + size_t(row) * width * components);
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

class JpegFileTest : public ::testing::Test {
protected:
    oxtest::TemporaryFolder folder;
};

TEST_F(JpegFileTest, RgbAndGreyLoadAsRgbWithinJpegTolerance) {
    for (int components : {3, 1}) {
        const Bytes samples = Gradient(24, 16, components);
        const std::string path = folder.File("page.jpg");
        WriteJpegForTest(path, 24, 16, components, samples);
        const Document loaded = oxhost::LoadImageFile(path);
        ASSERT_EQ(loaded.width, 24);
        ASSERT_EQ(loaded.height, 16);
        EXPECT_EQ(loaded.model, ColorModel::RGB);
        EXPECT_FALSE(loaded.hasAlpha);
        for (size_t pixel = 0; pixel < size_t(24 * 16); ++pixel) {
            for (int plane = 0; plane < 3; ++plane) {
                const int expected = samples[pixel * components + (components == 1 ? 0 : plane)];
                ASSERT_NEAR(loaded.pixels[pixel * 3 + plane], expected, kJpegTolerance)
                    << components << " components, pixel " << pixel << " plane " << plane;
            }
        }
    }
}

// An EXIF block holding only an Orientation entry, in either byte order.
Bytes ExifWithOrientation(int orientation, bool bigEndian) {
    Bytes exif = {'E', 'x', 'i', 'f', 0, 0};
    auto add16 = [&](uint32_t value) {
        exif.push_back(uint8_t(bigEndian ? value >> 8 : value));
        exif.push_back(uint8_t(bigEndian ? value : value >> 8));
    };
    auto add32 = [&](uint32_t value) {
        add16(bigEndian ? value >> 16 : value & 0xFFFF);
        add16(bigEndian ? value & 0xFFFF : value >> 16);
    };
    const uint8_t order = bigEndian ? 'M' : 'I';
    exif.push_back(order);
    exif.push_back(order);
    add16(42);
    add32(8);  // the first directory follows the header
    add16(2);  // two entries: a width (ignored) and the orientation
    add16(0x0100);
    add16(4);
    add32(1);
    add32(64);
    add16(0x0112);
    add16(3);
    add32(1);
    add16(uint32_t(orientation));
    add16(0);
    add32(0);
    return exif;
}

// A 32 x 16 grey page of four 16 x 8 quarters, top left A, top right B,
// bottom left C, bottom right D; block-aligned, so JPEG keeps them flat.
constexpr uint8_t kQuarterA = 20, kQuarterB = 90, kQuarterC = 160, kQuarterD = 235;

Bytes Quarters() {
    Bytes samples;
    for (int row = 0; row < 16; ++row) {
        for (int column = 0; column < 32; ++column) {
            samples.push_back(row < 8 ? (column < 16 ? kQuarterA : kQuarterB)
                                      : (column < 16 ? kQuarterC : kQuarterD));
        }
    }
    return samples;
}

// How each EXIF orientation shows the quarters: the top row of quarters,
// then the bottom one (the standard's pictures of the eight cases).
struct OrientedQuarters {
    int orientation;
    uint8_t topLeft, topRight, bottomLeft, bottomRight;
};
constexpr OrientedQuarters kOrientations[] = {
    {1, kQuarterA, kQuarterB, kQuarterC, kQuarterD},
    {2, kQuarterB, kQuarterA, kQuarterD, kQuarterC},
    {3, kQuarterD, kQuarterC, kQuarterB, kQuarterA},
    {4, kQuarterC, kQuarterD, kQuarterA, kQuarterB},
    {5, kQuarterA, kQuarterC, kQuarterB, kQuarterD},
    {6, kQuarterC, kQuarterA, kQuarterD, kQuarterB},
    {7, kQuarterD, kQuarterB, kQuarterC, kQuarterA},
    {8, kQuarterB, kQuarterD, kQuarterA, kQuarterC},
};

TEST_F(JpegFileTest, ExifOrientationTurnsThePageUpright) {
    for (const OrientedQuarters& expected : kOrientations) {
        for (bool bigEndian : {false, true}) {
            const std::string path = folder.File("turned.jpg");
            WriteJpegForTest(path, 32, 16, 1, Quarters(),
                             ExifWithOrientation(expected.orientation, bigEndian));
            const Document loaded = oxhost::LoadImageFile(path);
            const bool turned = expected.orientation >= 5;
            ASSERT_EQ(loaded.width, turned ? 16 : 32) << expected.orientation;
            ASSERT_EQ(loaded.height, turned ? 32 : 16) << expected.orientation;
            // The middle of each quarter of what is shown.
            const int right = loaded.width * 3 / 4;
            const int bottom = loaded.height * 3 / 4;
            const int left = loaded.width / 4;
            const int top = loaded.height / 4;
            EXPECT_NEAR(loaded.Pixel(top, left)[0], expected.topLeft, kJpegTolerance)
                << expected.orientation << " big-endian " << bigEndian;
            EXPECT_NEAR(loaded.Pixel(top, right)[0], expected.topRight, kJpegTolerance)
                << expected.orientation << " big-endian " << bigEndian;
            EXPECT_NEAR(loaded.Pixel(bottom, left)[0], expected.bottomLeft, kJpegTolerance)
                << expected.orientation << " big-endian " << bigEndian;
            EXPECT_NEAR(loaded.Pixel(bottom, right)[0], expected.bottomRight, kJpegTolerance)
                << expected.orientation << " big-endian " << bigEndian;
        }
    }
}

// A damaged EXIF block is ignored: the page loads as stored.
TEST_F(JpegFileTest, DamagedExifLeavesThePageAsStored) {
    Bytes outside = ExifWithOrientation(6, false);
    outside[10] = 0xF0;  // the directory's offset points past the block
    Bytes cut = ExifWithOrientation(6, false);
    cut.resize(cut.size() - 10);  // the orientation entry ends early
    Bytes wrongType = ExifWithOrientation(6, false);
    wrongType[30] = 4;  // the orientation as a LONG
    for (const Bytes& exif : {outside, cut, wrongType}) {
        const std::string path = folder.File("odd.jpg");
        WriteJpegForTest(path, 32, 16, 1, Quarters(), exif);
        const Document loaded = oxhost::LoadImageFile(path);
        EXPECT_EQ(loaded.width, 32);
        EXPECT_NEAR(loaded.Pixel(4, 8)[0], kQuarterA, kJpegTolerance);
    }
}

TEST_F(JpegFileTest, ProgressRisesToTheEndForBaselineAndProgressiveFiles) {
    for (bool progressive : {false, true}) {
        const std::string path = folder.File("steps.jpg");
        WriteJpegForTest(path, 64, 48, 3, Gradient(64, 48, 3), {}, progressive);
        oxtest::ProgressRecord record;
        oxhost::LoadImageFile(path, record.Callback());
        EXPECT_EQ(record.Problem(), "") << "progressive " << progressive;
        EXPECT_GE(record.calls.size(), 4u) << "progressive " << progressive;
    }
}

TEST_F(JpegFileTest, TruncatedFileGivesOneClearError) {
    const std::string path = folder.File("cut.jpg");
    WriteJpegForTest(path, 64, 64, 3, Gradient(64, 64, 3));
    Bytes bytes = oxtest::ReadBytes(path);
    bytes.resize(bytes.size() / 2);
    oxtest::WriteBytes(path, bytes);
    try {
        oxhost::LoadImageFile(path);
        FAIL() << "a truncated JPEG loaded";
    } catch (const HostError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "'" + path + "': truncated JPEG file (the data ends before the image)");
    }
    // Cut short by an end-of-image marker instead: libjpeg would make the
    // rest grey, so a few bytes could stand for any size of page.
    bytes.insert(bytes.end(), {0xFF, 0xD9});
    oxtest::WriteBytes(path, bytes);
    try {
        oxhost::LoadImageFile(path);
        FAIL() << "a JPEG cut short by a marker loaded";
    } catch (const HostError& error) {
        EXPECT_EQ(std::string(error.what()), "'" + path +
                                                 "': damaged JPEG file (Corrupt JPEG data: "
                                                 "premature end of data segment)");
    }
}

}  // namespace
