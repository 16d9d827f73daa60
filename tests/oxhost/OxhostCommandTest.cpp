// oxhost from the command line: real files in, real files out.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../support/ScratchFolder.h"
#include "OxhostProcess.h"
#include "host/image/ImageFile.h"

namespace {

using oxhost::ColorModel;
using oxhost::Document;
using oxtest::RunOxhost;
using oxtest::ScratchFolder;

// Rows spelled with R (red), B (blue), K (black), W (white).
Document RgbFromRows(const std::vector<std::string>& rows) {
    Document document;
    document.height = int(rows.size());
    document.width = int(rows[0].size());
    for (const std::string& row : rows) {
        for (char c : row) {
            switch (c) {
                case 'R':
                    document.pixels.insert(document.pixels.end(), {200, 0, 0});
                    break;
                case 'B':
                    document.pixels.insert(document.pixels.end(), {0, 0, 200});
                    break;
                case 'W':
                    document.pixels.insert(document.pixels.end(), {255, 255, 255});
                    break;
                default:
                    document.pixels.insert(document.pixels.end(), {0, 0, 0});
                    break;
            }
        }
    }
    return document;
}

bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

int CountLines(const std::string& text) {
    return int(std::count(text.begin(), text.end(), '\n'));
}

TEST(OxhostCommandTest, VirararFlattensAPngExactly) {
    ScratchFolder folder;
    const std::string input = folder.File("in.png");
    const std::string output = folder.File("out.png");
    oxhost::SaveImageFile(RgbFromRows({"RRKBBW", "RKKKBW", "KKKKKK", "BBBKKR"}), input);

    const auto result = RunOxhost({"run", "virarar", input, output});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.err.empty()) << result.err;
    const Document flattened = oxhost::LoadImageFile(output);
    EXPECT_EQ(flattened.pixels, RgbFromRows({"RRRBBW", "RRRBBW", "RBBBBW", "BBBBRR"}).pixels);
}

TEST(OxhostCommandTest, VirararFlattensACmykTiffByItsBlackInk) {
    ScratchFolder folder;
    const std::string input = folder.File("in.tif");
    const std::string output = folder.File("out.tiff");
    Document document;
    document.width = 4;
    document.height = 2;
    document.model = ColorModel::CMYK;
    // 255 is no ink: the second and third pixels of each row carry heavy black.
    document.pixels = {10, 20, 30, 200, /**/ 1, 2, 3, 0,  /**/ 4, 5, 6, 59, /**/ 90, 80, 70, 60,
                       11, 21, 31, 201, /**/ 7, 7, 7, 30, /**/ 8, 8, 8, 20, /**/ 91, 81, 71, 61};
    oxhost::SaveImageFile(document, input);

    const auto result = RunOxhost({"--quiet", "run", "Virarar", input, output});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Document flattened = oxhost::LoadImageFile(output);
    ASSERT_EQ(flattened.model, ColorModel::CMYK);
    const std::vector<uint8_t> expected = {10, 20,  30, 200, 10, 20, 30, 200, 90,  80, 70,
                                           60, 90,  80, 70,  60, 11, 21, 31,  201, 11, 21,
                                           31, 201, 91, 81,  71, 61, 91, 81,  71,  61};
    EXPECT_EQ(flattened.pixels, expected);
}

// A fresh oxhost process loads Tintflood afresh, so its random colours start
// at the beginning of the generator's sequence.
TEST(OxhostCommandTest, TintfloodFloodsAPngExactly) {
    ScratchFolder folder;
    const std::string input = folder.File("in.png");
    const std::string output = folder.File("out.png");
    oxhost::SaveImageFile(RgbFromRows({"WWKW", "WKKW", "KKWW"}), input);
    const auto result = RunOxhost({"run", "tintflood", input, output, "--random"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Document flooded = oxhost::LoadImageFile(output);
    const std::vector<uint8_t> first = {98, 253, 4}, second = {150, 174, 82}, black = {0, 0, 0};
    std::vector<uint8_t> expected;
    for (const auto* pixel : {&first, &first, &black, &second, &first, &black, &black, &second,
                              &black, &black, &second, &second}) {
        expected.insert(expected.end(), pixel->begin(), pixel->end());
    }
    EXPECT_EQ(flooded.pixels, expected);
}

TEST(OxhostCommandTest, TintfloodFloodsACmykTiffExactly) {
    ScratchFolder folder;
    const std::string input = folder.File("in.tif");
    const std::string output = folder.File("out.tif");
    Document document;
    document.width = 3;
    document.height = 1;
    document.model = ColorModel::CMYK;
    document.pixels = {255, 255, 255, 255, /**/ 255, 255, 255, 0, /**/ 255, 255, 255, 255};
    oxhost::SaveImageFile(document, input);
    const auto result = RunOxhost({"run", "tintflood", input, output, "--random"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<uint8_t> expected = {98, 253, 4, 224, 255, 255, 255, 0, 150, 174, 82, 143};
    EXPECT_EQ(oxhost::LoadImageFile(output).pixels, expected);
}

TEST(OxhostCommandTest, OutputMayReplaceTheInput) {
    ScratchFolder folder;
    const std::string path = folder.File("page.png");
    oxhost::SaveImageFile(RgbFromRows({"RKB"}), path);
    const auto result = RunOxhost({"run", "virarar", path, path});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(oxhost::LoadImageFile(path).pixels, RgbFromRows({"RRB"}).pixels);
}

TEST(OxhostCommandTest, ModulePathWorksAsWellAsAName) {
    ScratchFolder folder;
    const std::string input = folder.File("in.png");
    oxhost::SaveImageFile(RgbFromRows({"RKB"}), input);
    const auto result = RunOxhost(
        {"run", oxtest::BuiltProgramFolder() + "/Virarar.8bf", input, folder.File("out.png")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
}

TEST(OxhostCommandTest, FailuresSayOneLineAndWriteNothing) {
    ScratchFolder folder;
    const std::string good = folder.File("good.png");
    oxhost::SaveImageFile(RgbFromRows({"RKB"}), good);
    const std::string notImage = folder.File("notes.png");
    std::ofstream(notImage) << "not a picture";
    const std::string notPlugin = folder.File("fake.8bf");
    std::ofstream(notPlugin) << "not a module";
    const std::string output = folder.File("out.png");

    struct Case {
        std::vector<std::string> arguments;
        std::string mentions;
    };
    const std::vector<Case> cases = {
        {{"run", "virarar", folder.File("missing.png"), output}, "missing.png"},
        {{"run", "virarar", notImage, output}, "notes.png"},
        {{"run", "nosuchfilter", good, output}, "nosuchfilter"},
        {{"run", notPlugin, good, output}, "fake.8bf"},
        {{"run", "virarar", good, folder.File("out.bmp")}, "out.bmp"},
        // A tolerance over the whole byte range leaves no colour to fill with.
        {{"run", "tintflood", good, output, "--tolerance", "300"}, "no usable fill colour"},
    };
    for (const Case& c : cases) {
        const auto result = RunOxhost(c.arguments);
        EXPECT_EQ(result.exitCode, 1) << c.mentions;
        EXPECT_EQ(CountLines(result.err), 1) << result.err;
        EXPECT_NE(result.err.find(c.mentions), std::string::npos) << result.err;
        EXPECT_FALSE(Exists(output)) << c.mentions;
        EXPECT_FALSE(Exists(folder.File("out.bmp")));
    }
}

// A PNG chunk with its checksum, for files no well-behaved writer makes.
void AppendPngChunk(std::string& file, const std::string& type, const std::string& data) {
    auto appendBigEndian = [&file](uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            file.push_back(char((value >> shift) & 0xFF));
        }
    };
    appendBigEndian(uint32_t(data.size()));
    const std::string checked = type + data;
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : checked) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    file += checked;
    appendBigEndian(crc ^ 0xFFFFFFFFu);
}

TEST(OxhostCommandTest, ImagesBeyondSixteenBitCoordinatesAreRefused) {
    ScratchFolder folder;
    // Only the header: the size must be refused before any pixel is read.
    std::string png = "\x89PNG\r\n\x1a\n";
    const std::string header(
        "\x00\x00\x80\x00"
        "\x00\x00\x00\x01"
        "\x08\x02\x00\x00\x00",
        13);
    AppendPngChunk(png, "IHDR", header);                      // 32768 x 1, 8-bit RGB
    AppendPngChunk(png, "IDAT", std::string("\x78\x9c", 2));  // pixels never reached
    AppendPngChunk(png, "IEND", "");
    const std::string input = folder.File("wide.png");
    std::ofstream(input, std::ios::binary) << png;
    const auto result = RunOxhost({"run", "virarar", input, folder.File("out.png")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("32767"), std::string::npos) << result.err;
    EXPECT_FALSE(Exists(folder.File("out.png")));
}

TEST(OxhostCommandTest, BadCommandLinesExitWithTwo) {
    EXPECT_EQ(RunOxhost({}).exitCode, 2);
    EXPECT_EQ(RunOxhost({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(RunOxhost({"run", "virarar"}).exitCode, 2);
    EXPECT_EQ(RunOxhost({"run", "--layout", "diagonal", "virarar", "a.png", "b.png"}).exitCode, 2);
    EXPECT_EQ(RunOxhost({"run", "--pick-color", "red", "virarar", "a.png", "b.png"}).exitCode, 2);
}

TEST(OxhostCommandTest, EveryCommandHasHelp) {
    for (const char* command : {"run", "list", "about"}) {
        const auto result = RunOxhost({command, "--help"});
        EXPECT_EQ(result.exitCode, 0) << command;
        EXPECT_NE(result.out.find(std::string("usage: oxhost ") + command), std::string::npos);
    }
    const auto overall = RunOxhost({"--help"});
    EXPECT_EQ(overall.exitCode, 0);
    EXPECT_NE(overall.out.find("commands:"), std::string::npos);
}

TEST(OxhostCommandTest, ListShowsBothFilters) {
    const auto result = RunOxhost({"list"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("Virarar"), std::string::npos);
    EXPECT_NE(result.out.find("Tintflood..."), std::string::npos);
    EXPECT_NE(result.out.find("RGB,CMYK"), std::string::npos);
    EXPECT_NE(result.out.find("Oxlen"), std::string::npos);

    ScratchFolder empty;
    const auto none = RunOxhost({"list", "--plugins", empty.Path()});
    EXPECT_EQ(none.exitCode, 1);
}

TEST(OxhostCommandTest, CtrlCStopsTheRunAndWritesNothing) {
    // A page large enough that reading it alone outlasts the moment of the
    // interrupt: the filter then stops at its first abort check.
    ScratchFolder folder;
    Document page;
    page.width = 6000;
    page.height = 6000;
    page.pixels.assign(size_t(page.width) * page.height * 3, 255);
    for (int y = 0; y < page.height; y += 50) {
        std::fill(page.Pixel(y, 0), page.Pixel(y, 0) + size_t(page.width) * 3, 0);
    }
    const std::string input = folder.File("page.png");
    oxhost::SaveImageFile(page, input);
    const auto result = RunOxhost({"run", "virarar", input, folder.File("out.png")}, 100);
    EXPECT_EQ(result.exitCode, 130) << result.err;
    EXPECT_NE(result.err.find("-128 userCanceledErr"), std::string::npos) << result.err;
    EXPECT_EQ(CountLines(result.err), 1) << result.err;
    EXPECT_FALSE(Exists(folder.File("out.png")));
}

}  // namespace
