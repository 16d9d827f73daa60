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

// A 1-bit grey TIFF written with libtiff directly (the helper holds 8-bit
// samples): `bits` holds one 0 or 1 a pixel, row after row.
void WriteBilevelTiff(const std::string& path, int width, int height, const std::vector<int>& bits,
                      int photometric, int compression, int tileSide) {
    TIFF* file = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    TIFFSetField(file, TIFFTAG_IMAGEWIDTH, uint32_t(width));
    TIFFSetField(file, TIFFTAG_IMAGELENGTH, uint32_t(height));
    TIFFSetField(file, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(file, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(file, TIFFTAG_PHOTOMETRIC, photometric);
    TIFFSetField(file, TIFFTAG_COMPRESSION, compression);
    TIFFSetField(file, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    // The block at (top, left), `blockWidth` pixels to a row, 8 to a byte.
    auto pack = [&](int top, int left, int blockWidth, int blockHeight) {
        const int rowBytes = (blockWidth + 7) / 8;
        Bytes block(size_t(rowBytes) * blockHeight, 0);
        for (int row = 0; row < blockHeight && top + row < height; ++row) {
            for (int column = 0; column < blockWidth && left + column < width; ++column) {
                if (bits[size_t(top + row) * width + left + column] != 0) {
                    block[size_t(row) * rowBytes + column / 8] |= uint8_t(0x80 >> (column % 8));
                }
            }
        }
        return block;
    };
    if (tileSide > 0) {
        TIFFSetField(file, TIFFTAG_TILEWIDTH, uint32_t(tileSide));
        TIFFSetField(file, TIFFTAG_TILELENGTH, uint32_t(tileSide));
        for (int top = 0; top < height; top += tileSide) {
            for (int left = 0; left < width; left += tileSide) {
                Bytes tile = pack(top, left, tileSide, tileSide);
                ASSERT_GE(TIFFWriteTile(file, tile.data(), uint32_t(left), uint32_t(top), 0, 0), 0);
            }
        }
    } else {
        TIFFSetField(file, TIFFTAG_ROWSPERSTRIP, 4u);
        for (int row = 0; row < height; ++row) {
            Bytes line = pack(row, 0, width, 1);
            ASSERT_GE(TIFFWriteScanline(file, line.data(), uint32_t(row), 0), 0);
        }
    }
    TIFFClose(file);
}

// Scanned line art: 1-bit grey in strips or tiles, plain or fax-compressed;
// a set bit is white, or black where the file says 0 is white.
TEST_F(TiffFileTest, BilevelPagesLoadAsBlackAndWhite) {
    constexpr int kWidth = 21;  // not a whole number of bytes
    constexpr int kHeight = 18;
    std::vector<int> bits;
    for (int index = 0; index < kWidth * kHeight; ++index) {
        bits.push_back((index * 7 / 3 + index / kWidth) % 3 == 0 ? 1 : 0);
    }
    const struct {
        int photometric;
        int compression;
        int tileSide;
    } cases[] = {
        {PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE, 0},
        {PHOTOMETRIC_MINISWHITE, COMPRESSION_CCITTFAX4, 0},
        {PHOTOMETRIC_MINISWHITE, COMPRESSION_CCITTFAX3, 0},
        {PHOTOMETRIC_MINISWHITE, COMPRESSION_NONE, 16},
        {PHOTOMETRIC_MINISBLACK, COMPRESSION_ADOBE_DEFLATE, 16},
    };
    for (const auto& c : cases) {
        const std::string path = folder.File("scan.tif");
        WriteBilevelTiff(path, kWidth, kHeight, bits, c.photometric, c.compression, c.tileSide);
        const Document loaded = oxhost::LoadImageFile(path);
        ASSERT_EQ(loaded.width, kWidth);
        ASSERT_EQ(loaded.height, kHeight);
        ASSERT_FALSE(loaded.hasAlpha);
        Bytes expected;
        for (int bit : bits) {
            const bool white = (bit != 0) == (c.photometric == PHOTOMETRIC_MINISBLACK);
            expected.insert(expected.end(), 3, white ? 255 : 0);
        }
        EXPECT_EQ(loaded.pixels, expected) << "photometric " << c.photometric << ", compression "
                                           << c.compression << ", tile side " << c.tileSide;
    }
}

// libtiff's fax decoder only warns when a strip's data ends early, and
// makes the rest of its rows white: the page would be made up.
TEST_F(TiffFileTest, FaxDataThatEndsEarlyIsDamaged) {
    constexpr int kWidth = 64;
    std::vector<int> bits;
    for (int index = 0; index < kWidth * 4; ++index) {
        bits.push_back((index * 5 / 3) % 2);
    }
    const std::string whole = folder.File("whole.tif");
    WriteBilevelTiff(whole, kWidth, 4, bits, PHOTOMETRIC_MINISWHITE, COMPRESSION_CCITTFAX4, 0);
    TIFF* source = TIFFOpen(whole.c_str(), "r");
    ASSERT_NE(source, nullptr);
    Bytes strip(size_t(TIFFRawStripSize(source, 0)));
    ASSERT_GT(TIFFReadRawStrip(source, 0, strip.data(), tmsize_t(strip.size())), 0);
    TIFFClose(source);

    const std::string cut = folder.File("cut.tif");
    TIFF* file = TIFFOpen(cut.c_str(), "w");
    ASSERT_NE(file, nullptr);
    TIFFSetField(file, TIFFTAG_IMAGEWIDTH, uint32_t(kWidth));
    TIFFSetField(file, TIFFTAG_IMAGELENGTH, 4u);
    TIFFSetField(file, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(file, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(file, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
    TIFFSetField(file, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
    TIFFSetField(file, TIFFTAG_ROWSPERSTRIP, 4u);
    ASSERT_GE(TIFFWriteRawStrip(file, 0, strip.data(), tmsize_t(strip.size() / 2)), 0);
    TIFFClose(file);

    try {
        oxhost::LoadImageFile(cut);
        FAIL() << "fax data that ends early loaded";
    } catch (const HostError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("'" + cut + "': damaged TIFF file (", 0), 0u) << message;
        EXPECT_NE(message.find("Premature EOF"), std::string::npos) << message;
    }
    EXPECT_EQ(oxhost::LoadImageFile(whole).height, 4);
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
