// Images large enough to take several strips and bands, so that their parts
// are compressed and decoded on several threads, written and read back
// through libtiff, libpng and ImageMagick independently of the code under
// test; and failures on those paths.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/resource.h>
#include <tiffio.h>

#include <csignal>
#include <cstdio>
#include <memory>
#include <string>

#include "TestFiles.h"
#include "host/HostError.h"
#include "host/image/ImageFile.h"
#include "host/image/WriteCompression.h"

namespace {

using oxhost::ColorModel;
using oxhost::Document;
using oxhost::HostError;
using oxhost::WriteCompression;
using oxtest::Bytes;

// Debian's ImageMagick, by its folder: another `convert` may come first on PATH.
constexpr const char* kMagickConvert = "/usr/bin/convert";

// Flat areas, rows that repeat every few rows and noise, so that deflate
// finds matches across strip and band edges as well as data it cannot pack.
Document MixedDocument(int width, int height, ColorModel model, bool hasAlpha) {
    Document document;
    document.width = width;
    document.height = height;
    document.model = model;
    document.hasAlpha = hasAlpha;
    document.pixels.resize(document.RowBytes() * size_t(height));
    uint32_t noise = 12345;
    for (int row = 0; row < height; ++row) {
        uint8_t* pixel = document.Pixel(row, 0);
        for (size_t index = 0; index < document.RowBytes(); ++index) {
            noise = noise * 1664525u + 1013904223u;
            const size_t column = index / size_t(document.TotalPlanes());
            if (column < size_t(width) / 3) {
                pixel[index] = uint8_t(40 * (row / 50) + index % 3);
            } else if (column < 2 * size_t(width) / 3) {
                pixel[index] = uint8_t((row % 7) * 31 + index * 13);
            } else {
                pixel[index] = uint8_t(noise >> 24);
            }
        }
    }
    return document;
}

std::string RunCapturing(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    char buffer[1 << 16];
    for (size_t got; pipe && (got = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) {
        output.append(buffer, got);
    }
    return output;
}

// The file's samples as ImageMagick decodes them: rgb, rgba, cmyk or cmyka.
Bytes MagickSamples(const std::string& path, const std::string& layout) {
    const std::string raw =
        RunCapturing(std::string(kMagickConvert) + " '" + path + "' -depth 8 " + layout + ":-");
    return Bytes(raw.begin(), raw.end());
}

// What a file holds for the document: CMYK as ink (255 - the document's value).
Bytes FileSamples(const Document& document) {
    Bytes samples = document.pixels;
    if (document.model == ColorModel::CMYK) {
        for (size_t index = 0; index < samples.size(); ++index) {
            if (index % size_t(document.TotalPlanes()) < 4) {
                samples[index] = uint8_t(255 - samples[index]);
            }
        }
    }
    return samples;
}

// libpng's simplified reader, which checks every CRC and the zlib checksum.
Bytes LibpngSamples(const std::string& path, bool hasAlpha) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        ADD_FAILURE() << image.message;
        return {};
    }
    image.format = hasAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    Bytes samples(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, samples.data(), 0, nullptr)) {
        ADD_FAILURE() << image.message;
        return {};
    }
    return samples;
}

class ParallelImageIoTest : public ::testing::Test {
protected:
    void TearDown() override { oxhost::SetWriteCompression(WriteCompression::Fast); }

    oxtest::TemporaryFolder folder;
};

TEST_F(ParallelImageIoTest, TiffStripsRoundTripThroughLibtiffAndImageMagick) {
    struct Case {
        ColorModel model;
        bool hasAlpha;
        WriteCompression compression;
        const char* magickLayout;
    };
    for (const Case& tiffCase : {Case{ColorModel::RGB, false, WriteCompression::Fast, "rgb"},
                                 Case{ColorModel::RGB, true, WriteCompression::Balanced, "rgba"},
                                 Case{ColorModel::CMYK, false, WriteCompression::Small, "cmyk"},
                                 Case{ColorModel::CMYK, true, WriteCompression::Fast, "cmyka"}}) {
        SCOPED_TRACE(tiffCase.magickLayout);
        oxhost::SetWriteCompression(tiffCase.compression);
        const Document document = MixedDocument(1100, 900, tiffCase.model, tiffCase.hasAlpha);
        const std::string path = folder.File(std::string(tiffCase.magickLayout) + ".tif");
        oxtest::ProgressRecord writing;
        oxhost::SaveImageFile(document, path, writing.Callback());
        EXPECT_EQ(writing.Problem(), "");
        EXPECT_EQ(writing.calls.size(), size_t(document.height));

        EXPECT_EQ(oxtest::ReadTiffForTest(path).samples, FileSamples(document));
        EXPECT_EQ(MagickSamples(path, tiffCase.magickLayout), FileSamples(document));
        oxtest::ProgressRecord reading;
        EXPECT_EQ(oxhost::LoadImageFile(path, reading.Callback()).pixels, document.pixels);
        EXPECT_EQ(reading.Problem(), "");
        EXPECT_EQ(reading.calls.size(), size_t(document.height));
    }
}

TEST_F(ParallelImageIoTest, PngBandsJoinIntoOneStreamThatLibpngAndImageMagickRead) {
    struct Case {
        bool hasAlpha;
        WriteCompression compression;
        int height;
    };
    for (const Case& pngCase :
         {Case{false, WriteCompression::Fast, 900}, Case{true, WriteCompression::Balanced, 900},
          Case{false, WriteCompression::Small, 500}, Case{true, WriteCompression::Fast, 1}}) {
        SCOPED_TRACE(pngCase.height);
        oxhost::SetWriteCompression(pngCase.compression);
        const Document document =
            MixedDocument(1100, pngCase.height, ColorModel::RGB, pngCase.hasAlpha);
        const std::string path = folder.File("page.png");
        oxtest::ProgressRecord writing;
        oxhost::SaveImageFile(document, path, writing.Callback());
        EXPECT_EQ(writing.Problem(), "");
        EXPECT_EQ(writing.calls.size(), size_t(document.height));

        EXPECT_EQ(LibpngSamples(path, pngCase.hasAlpha), document.pixels);
        EXPECT_EQ(MagickSamples(path, pngCase.hasAlpha ? "rgba" : "rgb"), document.pixels);
        oxtest::ProgressRecord reading;
        EXPECT_EQ(oxhost::LoadImageFile(path, reading.Callback()).pixels, document.pixels);
        EXPECT_EQ(reading.Problem(), "");
        EXPECT_EQ(reading.calls.size(), size_t(document.height));
    }
}

// Where damage lands in the middle of the image: the zlib header of the
// middle strip (libtiff stops inflating a strip once it is full, so damage
// inside deflate data can pass unseen), and the image data of a PNG (its
// chunk CRC fails).
size_t MiddleDamageOffset(const std::string& path) {
    if (path.substr(path.size() - 4) != ".tif") {
        return oxtest::ReadBytes(path).size() / 2;
    }
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    EXPECT_NE(tiff, nullptr);
    const size_t offset = size_t(TIFFGetStrileOffset(tiff, TIFFNumberOfStrips(tiff) / 2));
    TIFFClose(tiff);
    return offset;
}

// Damage found by whichever thread decodes that part fails the whole read
// with one message.
TEST_F(ParallelImageIoTest, DamageInTheMiddleFailsTheRead) {
    const Document document = MixedDocument(1100, 900, ColorModel::RGB, false);
    for (const char* name : {"page.tif", "page.png"}) {
        const std::string path = folder.File(name);
        oxhost::SaveImageFile(document, path);
        Bytes bytes = oxtest::ReadBytes(path);
        const size_t offset = MiddleDamageOffset(path);
        ASSERT_LT(offset + 16, bytes.size());
        for (size_t index = offset; index < offset + 16; ++index) {
            bytes[index] ^= 0x5a;
        }
        oxtest::WriteBytes(path, bytes);
        try {
            oxhost::LoadImageFile(path);
            ADD_FAILURE() << name << " loaded";
        } catch (const HostError& error) {
            EXPECT_NE(std::string(error.what()).find("'" + path + "': damaged"), std::string::npos)
                << error.what();
        }
    }
}

// A write that fails part way (here the process may write no more than
// 64 KiB to a file) names the file and leaves nothing behind.
TEST_F(ParallelImageIoTest, FailedWriteLeavesNoFile) {
    const Document document = MixedDocument(1100, 900, ColorModel::RGB, true);
    rlimit previousLimit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previousLimit), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit smallLimit = previousLimit;
    smallLimit.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &smallLimit), 0);
    for (const char* name : {"page.tif", "page.png"}) {
        const std::string path = folder.File(name);
        try {
            oxhost::SaveImageFile(document, path);
            ADD_FAILURE() << name << " written";
        } catch (const HostError& error) {
            EXPECT_NE(std::string(error.what()).find("cannot write '" + path + "'"),
                      std::string::npos)
                << error.what();
        }
    }
    setrlimit(RLIMIT_FSIZE, &previousLimit);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_TRUE(folder.Entries().empty());
}

}  // namespace
