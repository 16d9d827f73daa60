#include <gtest/gtest.h>
#include <tiffio.h>

#include <string>
#include <vector>

#include "TestFiles.h"
#include "host/HostError.h"
#include "host/image/ImageFile.h"
#include "host/image/TiffFile.h"

namespace {

using oxhost::ColorModel;
using oxhost::Document;
using oxhost::HostError;
using oxtest::Bytes;
using oxtest::TiffSpec;

class TiffFileTest : public ::testing::Test {
protected:
    // The message of the HostError that loading `spec` as a file throws.
    std::string LoadFailure(const TiffSpec& spec) {
        oxtest::WriteTiffForTest(folder.File("input.tif"), spec);
        try {
            oxhost::ReadTiffFile(folder.File("input.tif"));
        } catch (const HostError& error) {
            return error.what();
        }
        return "no error";
    }

    oxtest::TemporaryFolder folder;
};

TiffSpec RgbSpec(int width, int height, int samplesPerPixel) {
    TiffSpec spec;
    spec.width = width;
    spec.height = height;
    spec.samplesPerPixel = samplesPerPixel;
    for (int index = 0; index < width * height * samplesPerPixel; ++index) {
        spec.samples.push_back(uint8_t(index * 13 + 7));
    }
    return spec;
}

TEST_F(TiffFileTest, EveryModelRoundTripsExactly) {
    for (ColorModel model : {ColorModel::RGB, ColorModel::CMYK}) {
        for (bool hasAlpha : {false, true}) {
            Document original = oxtest::PatternDocument(300, 7, model, hasAlpha);
            oxhost::WriteTiffFile(original, folder.File("round.tif"));
            Document loaded = oxhost::ReadTiffFile(folder.File("round.tif"));
            EXPECT_EQ(loaded.width, 300);
            EXPECT_EQ(loaded.height, 7);
            EXPECT_EQ(loaded.model, model);
            EXPECT_EQ(loaded.hasAlpha, hasAlpha);
            EXPECT_EQ(loaded.pixels, original.pixels);
        }
    }
}

TEST_F(TiffFileTest, CmykIsInvertedBetweenFileAndDocument) {
    TiffSpec spec = RgbSpec(2, 1, 5);
    spec.photometric = PHOTOMETRIC_SEPARATED;
    spec.extraSampleKind = EXTRASAMPLE_UNASSALPHA;
    spec.samples = {0, 255, 60, 200, 255, /**/ 255, 0, 1, 59, 128};
    oxtest::WriteTiffForTest(folder.File("ink.tif"), spec);
    Document loaded = oxhost::ReadTiffFile(folder.File("ink.tif"));
    ASSERT_EQ(loaded.model, ColorModel::CMYK);
    ASSERT_TRUE(loaded.hasAlpha);
    // Ink planes inverted, alpha as stored.
    EXPECT_EQ(loaded.pixels, (Bytes{255, 0, 195, 55, 255, /**/ 0, 255, 254, 196, 128}));

    oxhost::WriteTiffFile(loaded, folder.File("saved.tif"));
    oxtest::TiffContent saved = oxtest::ReadTiffForTest(folder.File("saved.tif"));
    EXPECT_EQ(saved.photometric, PHOTOMETRIC_SEPARATED);
    EXPECT_EQ(saved.inkSet, INKSET_CMYK);
    EXPECT_EQ(saved.samples, spec.samples);
}

TEST_F(TiffFileTest, WrittenFileIsCompressedWithUnassociatedAlpha) {
    Document document = oxtest::PatternDocument(64, 64, ColorModel::RGB, true);
    oxhost::WriteTiffFile(document, folder.File("alpha.tif"));
    oxtest::TiffContent saved = oxtest::ReadTiffForTest(folder.File("alpha.tif"));
    EXPECT_EQ(saved.photometric, PHOTOMETRIC_RGB);
    EXPECT_EQ(saved.samplesPerPixel, 4);
    EXPECT_EQ(saved.extraSamples, std::vector<uint16_t>{EXTRASAMPLE_UNASSALPHA});
    EXPECT_NE(saved.compression, COMPRESSION_NONE);
    EXPECT_EQ(saved.samples, document.pixels);
}

TEST_F(TiffFileTest, SeparatePlanesAndTilesReadLikeInterleavedStrips) {
    TiffSpec spec = RgbSpec(37, 21, 4);
    spec.extraSampleKind = EXTRASAMPLE_UNASSALPHA;
    for (bool separatePlanes : {false, true}) {
        for (int tileSide : {0, 16}) {
            spec.separatePlanes = separatePlanes;
            spec.tileSide = tileSide;
            oxtest::WriteTiffForTest(folder.File("layout.tif"), spec);
            Document loaded = oxhost::ReadTiffFile(folder.File("layout.tif"));
            EXPECT_TRUE(loaded.hasAlpha);
            EXPECT_EQ(loaded.pixels, spec.samples)
                << "separate planes " << separatePlanes << ", tile side " << tileSide;
        }
    }
}

TEST_F(TiffFileTest, PremultipliedAlphaIsUndone) {
    TiffSpec spec = RgbSpec(3, 1, 4);
    spec.extraSampleKind = EXTRASAMPLE_ASSOCALPHA;
    spec.samples = {50, 100, 0, 128, /**/ 7, 8, 9, 0, /**/ 1, 2, 3, 255};
    oxtest::WriteTiffForTest(folder.File("premultiplied.tif"), spec);
    Document loaded = oxhost::ReadTiffFile(folder.File("premultiplied.tif"));
    EXPECT_EQ(loaded.pixels, (Bytes{100, 199, 0, 128, /**/ 7, 8, 9, 0, /**/ 1, 2, 3, 255}));
}

TEST_F(TiffFileTest, GreyLoadsAsRgbAndMinIsWhiteIsInverted) {
    for (int photometric : {PHOTOMETRIC_MINISBLACK, PHOTOMETRIC_MINISWHITE}) {
        TiffSpec grey = RgbSpec(3, 2, 2);
        grey.photometric = photometric;
        grey.extraSampleKind = EXTRASAMPLE_UNASSALPHA;
        oxtest::WriteTiffForTest(folder.File("grey.tif"), grey);
        Document loaded = oxhost::LoadImageFile(folder.File("grey.tif"));
        ASSERT_EQ(loaded.model, ColorModel::RGB);
        ASSERT_TRUE(loaded.hasAlpha);
        for (size_t pixel = 0; pixel < 6; ++pixel) {
            uint8_t value = grey.samples[pixel * 2];
            if (photometric == PHOTOMETRIC_MINISWHITE) {
                value = uint8_t(255 - value);
            }
            EXPECT_EQ(loaded.pixels[pixel * 4 + 0], value);
            EXPECT_EQ(loaded.pixels[pixel * 4 + 1], value);
            EXPECT_EQ(loaded.pixels[pixel * 4 + 2], value);
            EXPECT_EQ(loaded.pixels[pixel * 4 + 3], grey.samples[pixel * 2 + 1]);
        }
    }
}

TEST_F(TiffFileTest, SixteenBitSamplesAreRoundedToEight) {
    // Written with libtiff directly: the test file helper holds 8-bit samples.
    const std::vector<uint16_t> samples = {0, 65535, 257, 32896, 1000, 65000};
    TIFF* file = TIFFOpen(folder.File("deep.tif").c_str(), "w");
    ASSERT_NE(file, nullptr);
    TIFFSetField(file, TIFFTAG_IMAGEWIDTH, 2u);
    TIFFSetField(file, TIFFTAG_IMAGELENGTH, 1u);
    TIFFSetField(file, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(file, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(file, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(file, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    std::vector<uint16_t> row = samples;
    ASSERT_GE(TIFFWriteScanline(file, row.data(), 0, 0), 0);
    TIFFClose(file);

    Document loaded = oxhost::LoadImageFile(folder.File("deep.tif"));
    EXPECT_EQ(loaded.pixels, (Bytes{0, 255, 1, 128, 4, 253}));
    EXPECT_EQ(oxhost::InspectImageFile(folder.File("deep.tif")).bitsPerSample, 16);
}

TEST_F(TiffFileTest, UnsupportedKindsAreNamed) {
    TiffSpec lab = RgbSpec(4, 4, 3);
    lab.photometric = PHOTOMETRIC_CIELAB;
    EXPECT_NE(LoadFailure(lab).find("unsupported TIFF: Lab"), std::string::npos);

    TiffSpec twoExtra = RgbSpec(4, 4, 5);
    EXPECT_NE(LoadFailure(twoExtra).find("unsupported TIFF: RGB with 5 samples"),
              std::string::npos);
}

TEST_F(TiffFileTest, OversizedImageIsRefusedWithItsSize) {
    TiffSpec wide = RgbSpec(40000, 2, 3);
    std::string message = LoadFailure(wide);
    EXPECT_NE(message.find("40000 x 2"), std::string::npos) << message;
    EXPECT_NE(message.find("32767"), std::string::npos) << message;
}

TEST_F(TiffFileTest, ZeroWidthHeaderIsRefused) {
    // A little-endian header and one directory: width 0, height 1, 8-bit RGB.
    Bytes file = {'I', 'I', 42, 0, 8, 0, 0, 0, 5, 0};
    auto entry = [&file](uint16_t tag, uint16_t type, uint32_t value) {
        Bytes fields = {uint8_t(tag),
                        uint8_t(tag >> 8),
                        uint8_t(type),
                        0,
                        1,
                        0,
                        0,
                        0,
                        uint8_t(value),
                        uint8_t(value >> 8),
                        0,
                        0};
        file.insert(file.end(), fields.begin(), fields.end());
    };
    entry(TIFFTAG_IMAGEWIDTH, TIFF_LONG, 0);
    entry(TIFFTAG_IMAGELENGTH, TIFF_LONG, 1);
    entry(TIFFTAG_PHOTOMETRIC, TIFF_SHORT, PHOTOMETRIC_RGB);
    entry(TIFFTAG_STRIPOFFSETS, TIFF_LONG, 8);
    entry(TIFFTAG_STRIPBYTECOUNTS, TIFF_LONG, 0);
    file.insert(file.end(), {0, 0, 0, 0});
    oxtest::WriteBytes(folder.File("empty.tif"), file);
    EXPECT_THROW(oxhost::LoadImageFile(folder.File("empty.tif")), HostError);
}

TEST_F(TiffFileTest, DamagedFilesGiveHostError) {
    oxhost::WriteTiffFile(oxtest::PatternDocument(64, 64, ColorModel::CMYK, false),
                          folder.File("good.tif"));
    Bytes good = oxtest::ReadBytes(folder.File("good.tif"));

    oxtest::WriteBytes(folder.File("half.tif"),
                       Bytes(good.begin(), good.begin() + good.size() / 2));
    EXPECT_THROW(oxhost::LoadImageFile(folder.File("half.tif")), HostError);

    Bytes badOffset = good;
    badOffset[5] ^= 0x7F;  // the first directory's offset now points past the end
    oxtest::WriteBytes(folder.File("offset.tif"), badOffset);
    EXPECT_THROW(oxhost::LoadImageFile(folder.File("offset.tif")), HostError);

    Bytes badData = good;
    for (size_t index = 8; index < 200; ++index) {
        badData[index] ^= 0xA5;
    }
    oxtest::WriteBytes(folder.File("data.tif"), badData);
    EXPECT_THROW(oxhost::LoadImageFile(folder.File("data.tif")), HostError);
}

TEST_F(TiffFileTest, EveryTruncationIsRejectedCleanly) {
    oxhost::WriteTiffFile(oxtest::PatternDocument(9, 7, ColorModel::RGB, false),
                          folder.File("small.tif"));
    Bytes whole = oxtest::ReadBytes(folder.File("small.tif"));
    for (size_t length = 0; length < whole.size(); ++length) {
        oxtest::WriteBytes(folder.File("cut.tif"), Bytes(whole.begin(), whole.begin() + length));
        EXPECT_THROW(oxhost::ReadTiffFile(folder.File("cut.tif")), HostError) << length;
    }
}

}  // namespace
