// WebP files written here with libwebp's own encoders, read back through
// the loader.
#include <gtest/gtest.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include <cstdlib>
#include <string>

#include "TestFiles.h"
#include "host/HostError.h"
#include "host/image/ImageFile.h"

namespace {

using oxhost::ColorModel;
using oxhost::Document;
using oxtest::Bytes;

// Interleaved samples of a smooth gradient, `planes` to a pixel; alpha
// (the fourth) never 0, where a lossless encoder may change the colour.
Bytes Gradient(int width, int height, int planes) {
    Bytes samples;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            for (int plane = 0; plane < planes; ++plane) {
                samples.push_back(plane == 3 ? uint8_t(1 + (row * 31 + column * 7) % 255)
                                             : uint8_t(30 + 5 * row + 4 * column + 40 * plane));
            }
        }
    }
    return samples;
}

// `encode` is one of libwebp's simple encoders; its output goes to `path`.
template <typename Encode>
void WriteEncoded(const std::string& path, Encode encode) {
    uint8_t* output = nullptr;
    const size_t size = encode(&output);
    ASSERT_GT(size, 0u);
    oxtest::WriteBytes(path, Bytes(output, output + size));
    WebPFree(output);
}

// An animation of lossless frames, each of one colour (RGBA).
void WriteAnimation(const std::string& path, int width, int height,
                    const std::vector<Bytes>& frameColors) {
    WebPAnimEncoderOptions options;
    ASSERT_TRUE(WebPAnimEncoderOptionsInit(&options));
    WebPAnimEncoder* encoder = WebPAnimEncoderNew(width, height, &options);
    ASSERT_NE(encoder, nullptr);
    WebPConfig config;
    ASSERT_TRUE(WebPConfigInit(&config));
    config.lossless = 1;
    int timestamp = 0;
    for (const Bytes& color : frameColors) {
        Bytes pixels;
        for (int pixel = 0; pixel < width * height; ++pixel) {
            pixels.insert(pixels.end(), color.begin(), color.end());
        }
        WebPPicture picture;
        ASSERT_TRUE(WebPPictureInit(&picture));
        picture.use_argb = 1;
        picture.width = width;
        picture.height = height;
        ASSERT_TRUE(WebPPictureImportRGBA(&picture, pixels.data(), width * 4));
        ASSERT_TRUE(WebPAnimEncoderAdd(encoder, &picture, timestamp, &config));
        WebPPictureFree(&picture);
        timestamp += 100;
    }
    ASSERT_TRUE(WebPAnimEncoderAdd(encoder, nullptr, timestamp, nullptr));
    WebPData data;
    WebPDataInit(&data);
    ASSERT_TRUE(WebPAnimEncoderAssemble(encoder, &data));
    oxtest::WriteBytes(path, Bytes(data.bytes, data.bytes + data.size));
    WebPDataClear(&data);
    WebPAnimEncoderDelete(encoder);
}

class WebpFileTest : public ::testing::Test {
protected:
    oxtest::TemporaryFolder folder;
};

TEST_F(WebpFileTest, LosslessRgbAndRgbaLoadExactly) {
    for (int planes : {3, 4}) {
        const Bytes samples = Gradient(23, 9, planes);
        const std::string path = folder.File("page.webp");
        WriteEncoded(path, [&](uint8_t** output) {
            return planes == 3 ? WebPEncodeLosslessRGB(samples.data(), 23, 9, 23 * 3, output)
                               : WebPEncodeLosslessRGBA(samples.data(), 23, 9, 23 * 4, output);
        });
        oxtest::ProgressRecord progress;
        const Document loaded = oxhost::LoadImageFile(path, progress.Callback());
        EXPECT_EQ(progress.Problem(), "");
        EXPECT_EQ(progress.calls.back().second, 9);
        EXPECT_EQ(loaded.width, 23);
        EXPECT_EQ(loaded.height, 9);
        EXPECT_EQ(loaded.model, ColorModel::RGB);
        EXPECT_EQ(loaded.hasAlpha, planes == 4);
        EXPECT_EQ(loaded.pixels, samples) << planes << " planes";
        EXPECT_EQ(oxhost::InspectImageFile(path).pages, 1);
    }
}

// An animation is read as its first frame, and counts as several images so
// that a run can say what the result leaves out.
TEST_F(WebpFileTest, AnimationGivesItsFirstFrameAndCountsItsFrames) {
    const std::string path = folder.File("moving.webp");
    WriteAnimation(path, 8, 6, {{200, 10, 20, 255}, {0, 0, 250, 255}, {9, 9, 9, 255}});
    const Document loaded = oxhost::LoadImageFile(path);
    ASSERT_EQ(loaded.width, 8);
    ASSERT_EQ(loaded.height, 6);
    for (int pixel = 0; pixel < 8 * 6; ++pixel) {
        const uint8_t* sample = loaded.pixels.data() + pixel * loaded.TotalPlanes();
        ASSERT_EQ(Bytes(sample, sample + 3), (Bytes{200, 10, 20})) << "pixel " << pixel;
    }
    EXPECT_EQ(oxhost::InspectImageFile(path).pages, 3);
}

TEST_F(WebpFileTest, TruncatedFileGivesOneClearError) {
    Bytes noise(96 * 64 * 3);
    uint32_t state = 12345;
    for (uint8_t& sample : noise) {
        state = state * 1103515245u + 12345u;
        sample = uint8_t(state >> 24);
    }
    const std::string path = folder.File("cut.webp");
    WriteEncoded(path, [&](uint8_t** output) {
        return WebPEncodeLosslessRGB(noise.data(), 96, 64, 96 * 3, output);
    });
    const Bytes whole = oxtest::ReadBytes(path);
    for (size_t kept : {whole.size() / 2, size_t(20)}) {
        oxtest::WriteBytes(path, Bytes(whole.begin(), whole.begin() + long(kept)));
        try {
            oxhost::LoadImageFile(path);
            FAIL() << "a truncated WebP loaded";
        } catch (const oxhost::HostError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "'" + path + "': truncated WebP file (the data ends before the image)")
                << kept << " bytes";
        }
    }
}

}  // namespace
