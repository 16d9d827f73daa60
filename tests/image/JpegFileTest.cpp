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

void WriteJpegForTest(const std::string& path, int width, int height, int components,
                      const Bytes& samples) {
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
    jpeg_start_compress(&info, TRUE);
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
}

}  // namespace
