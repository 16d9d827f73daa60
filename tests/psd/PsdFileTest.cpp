#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "host/HostError.h"
#include "host/image/PsdFile.h"
#include "tests/support/ScratchFolder.h"

namespace {

using Bytes = std::vector<uint8_t>;
using oxhost::ColorModel;
using oxhost::Document;
using oxhost::PsdLayer;
using oxhost::SavePsdFile;

constexpr uint8_t kInk[3] = {26, 42, 108};

Document NewDocument(int width, int height, bool hasAlpha) {
    Document document{width, height, ColorModel::RGB, hasAlpha, {}};
    document.pixels.resize(document.RowBytes() * size_t(height));
    return document;
}

// Rectangles of flat colour, and one row of noise for the packer's literals.
Document Flats(int width, int height) {
    const uint8_t palette[4][3] = {
        {255, 224, 189}, {173, 216, 230}, {152, 224, 152}, {255, 255, 255}};
    std::mt19937 random(5);
    Document flats = NewDocument(width, height, false);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = flats.Pixel(y, x);
            for (int plane = 0; plane < 3; ++plane) {
                pixel[plane] = y == 7 ? uint8_t(random()) : palette[(x / 50 + y / 40) % 4][plane];
            }
        }
    }
    return flats;
}

// Ink-coloured lines every 20 pixels with half-covered edges.
Document LineArt(int width, int height) {
    Document lines = NewDocument(width, height, true);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = lines.Pixel(y, x);
            std::copy(kInk, kInk + 3, pixel);
            const int distance = std::min(x % 20, y % 20);
            pixel[3] = distance == 0 ? 255 : distance == 1 ? 128 : 0;
        }
    }
    return lines;
}

Document Multiplied(const Document& flats, const Document& lines) {
    Document result = flats;
    for (size_t pixel = 0; pixel < size_t(flats.width) * size_t(flats.height); ++pixel) {
        const int alpha = lines.pixels[pixel * 4 + 3];
        for (int plane = 0; plane < 3; ++plane) {
            const int paper = flats.pixels[pixel * 3 + plane];
            const int inked = paper * lines.pixels[pixel * 4 + plane] / 255;
            result.pixels[pixel * 3 + plane] =
                uint8_t((paper * (255 - alpha) + inked * alpha) / 255);
        }
    }
    return result;
}

Bytes RunCapturing(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    Bytes output;
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << command;
        return output;
    }
    char buffer[65536];
    for (size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) {
        output.insert(output.end(), buffer, buffer + count);
    }
    return output;
}

std::string Identify(const std::string& path, const std::string& format) {
    const Bytes output =
        RunCapturing(std::string(OX_MAGICK_IDENTIFY) + " -format '" + format + "' '" + path + "'");
    return std::string(output.begin(), output.end());
}

// Frame 0 is the merged image, then the layers bottom first; "rgb" or "rgba".
Bytes FramePixels(const std::string& path, int frame, const std::string& samples) {
    return RunCapturing(std::string(OX_MAGICK_CONVERT) + " '" + path + "[" + std::to_string(frame) +
                        "]' -depth 8 " + samples + ":-");
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}

uint32_t BigEndian32(const Bytes& bytes, size_t offset) {
    return uint32_t(bytes[offset]) << 24 | uint32_t(bytes[offset + 1]) << 16 |
           uint32_t(bytes[offset + 2]) << 8 | bytes[offset + 3];
}

TEST(PsdFileTest, ImageMagickReadsLayersNamesBlendModesAndPixels) {
    oxtest::ScratchFolder folder;
    const std::string path = folder.File("page.psd");
    const Document flats = Flats(301, 200);
    const Document lines = LineArt(301, 200);
    const Document composite = Multiplied(flats, lines);
    SavePsdFile(path, 301, 200, {{"Flats", &flats, "norm"}, {"Line art", &lines, "mul "}},
                composite);

    EXPECT_EQ(Identify(path, "%l|%[compose]|%w x %h|%[channels]\n"),
              "|Over|301 x 200|srgb\n"
              "Flats|Over|301 x 200|srgb\n"
              "Line art|Multiply|301 x 200|srgba\n");
    EXPECT_TRUE(FramePixels(path, 0, "rgb") == composite.pixels);
    EXPECT_TRUE(FramePixels(path, 1, "rgb") == flats.pixels);
    EXPECT_TRUE(FramePixels(path, 2, "rgba") == lines.pixels);
}

TEST(PsdFileTest, WideRowsOfNoiseAndOddLengthsReadBackExactly) {
    oxtest::ScratchFolder folder;
    // Noise rows pack to more than their width. (Debian's ImageMagick policy
    // reads no side over 16K pixels, so not the widest the format allows.)
    constexpr int kWide = 16000;
    Document noise = NewDocument(kWide, 2, true);
    std::mt19937 random(9);
    for (uint8_t& sample : noise.pixels) {
        sample = uint8_t(random());
    }
    Document merged = NewDocument(kWide, 2, false);
    SavePsdFile(folder.File("wide.psd"), kWide, 2, {{"Noise", &noise, "scrn"}}, merged);
    EXPECT_EQ(Identify(folder.File("wide.psd"), "%l|%[compose] "), "|Over Noise|Screen ");
    EXPECT_TRUE(FramePixels(folder.File("wide.psd"), 1, "rgba") == noise.pixels);

    // Two different pixels pack to 3 bytes a channel: the layer data has an odd
    // length, which the writer pads so that readers find the merged image.
    Document pair = NewDocument(2, 1, false);
    pair.pixels = {1, 2, 3, 4, 5, 6};
    Document pairMerged = NewDocument(2, 1, false);
    pairMerged.pixels = {9, 8, 7, 6, 5, 4};
    const std::string path = folder.File("pair.psd");
    SavePsdFile(path, 2, 1, {{"Pair", &pair, "norm", 64}}, pairMerged);
    EXPECT_TRUE(FramePixels(path, 0, "rgb") == pairMerged.pixels);
    // ImageMagick turns the layer's opacity into alpha.
    EXPECT_TRUE(FramePixels(path, 1, "rgba") == (Bytes{1, 2, 3, 64, 4, 5, 6, 64}));
    const Bytes bytes = ReadBytes(path);
    EXPECT_EQ(BigEndian32(bytes, 38) % 2, 0u);  // the layer info's length
}

TEST(PsdFileTest, LongAndNonAsciiNamesSurviveAsUnicode) {
    oxtest::ScratchFolder folder;
    const std::string path = folder.File("names.psd");
    std::string accents;
    for (int count = 0; count < 300; ++count) {
        accents += "\xC3\xA9";  // é
    }
    const std::string name =
        "Tinte\xFF" + accents + "\xF0\x9F\x8E\xA8";  // an invalid byte, U+1F3A8
    const Document layer = NewDocument(4, 4, false);
    SavePsdFile(path, 4, 4, {{name, &layer, "norm"}}, layer);

    // The Pascal name: 255 bytes at most, cut between characters.
    EXPECT_EQ(Identify(path + "[1]", "%l"), name.substr(0, 6 + 2 * 124));
    const Bytes bytes = ReadBytes(path);
    const std::string key = "8BIMluni";
    const auto block = std::search(bytes.begin(), bytes.end(), key.begin(), key.end());
    ASSERT_NE(block, bytes.end());
    const size_t data = size_t(block - bytes.begin()) + 12;
    ASSERT_EQ(BigEndian32(bytes, data), 308u);
    std::vector<uint16_t> expected = {'T', 'i', 'n', 't', 'e', 0xFFFD};
    expected.insert(expected.end(), 300, 0x00E9);
    expected.insert(expected.end(), {0xD83C, 0xDFA8});
    std::vector<uint16_t> units;
    for (size_t unit = 0; unit < 308; ++unit) {
        units.push_back(uint16_t(bytes[data + 4 + 2 * unit] << 8 | bytes[data + 5 + 2 * unit]));
    }
    EXPECT_EQ(units, expected);
}

TEST(PsdFileTest, RefusesWhatItCannotHoldAndLeavesTheFileUntouched) {
    oxtest::ScratchFolder folder;
    const std::string path = folder.File("kept.psd");
    std::ofstream(path) << "old";
    const Document small = NewDocument(10, 10, false);
    const Document tall = NewDocument(10, 11, false);
    const Document withAlpha = NewDocument(10, 10, true);
    Document cmyk = NewDocument(10, 10, false);
    cmyk.model = ColorModel::CMYK;
    cmyk.pixels.resize(400);
    const Document wide = NewDocument(oxhost::kMaxPsdSide + 1, 1, false);
    struct Case {
        const char* what;
        int width;
        int height;
        std::vector<PsdLayer> layers;
        const Document* composite;
    };
    const Case cases[] = {
        {"30001 x 1", oxhost::kMaxPsdSide + 1, 1, {}, &wide},
        {"layer 'A' is 10 x 11", 10, 10, {{"A", &tall, "norm"}}, &small},
        {"blend mode 'mul'", 10, 10, {{"A", &small, "mul"}}, &small},
        {"layer 'A' has no pixels", 10, 10, {{"A", nullptr, "norm"}}, &small},
        {"layer 'A' is not RGB", 10, 10, {{"A", &cmyk, "norm"}}, &small},
        {"merged image has alpha", 10, 10, {{"A", &small, "norm"}}, &withAlpha},
    };
    for (const Case& bad : cases) {
        try {
            SavePsdFile(path, bad.width, bad.height, bad.layers, *bad.composite);
            ADD_FAILURE() << "accepted " << bad.what;
        } catch (const oxhost::HostError& error) {
            EXPECT_NE(std::string(error.what()).find("'" + path + "'"), std::string::npos);
            EXPECT_NE(std::string(error.what()).find(bad.what), std::string::npos) << error.what();
        }
        EXPECT_EQ(ReadBytes(path), (Bytes{'o', 'l', 'd'}));
    }
    const std::string missing = folder.File("no/such/folder.psd");
    EXPECT_THROW(SavePsdFile(missing, 10, 10, {}, small), oxhost::HostError);
}

}  // namespace
