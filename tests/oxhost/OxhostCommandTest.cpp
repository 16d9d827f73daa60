// oxhost from the command line: real files in, real files out.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "../image/TestFiles.h"
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

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
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

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), {});
}

// A document is one 8-bit image: an input of several pages or of 16-bit
// samples is not written over, and a run to another file says what it
// leaves out.
TEST(OxhostCommandTest, AnInputTheResultCannotHoldIsNotWrittenOver) {
    ScratchFolder folder;
    oxtest::TiffSpec pages;
    pages.width = 3;
    pages.height = 1;
    pages.samples = {200, 0, 0, 0, 0, 0, 0, 0, 200};
    pages.pages = 3;
    const std::string tiff = folder.File("pages.tif");
    oxtest::WriteTiffForTest(tiff, pages);
    const uint16_t deepPixels[] = {65535, 0, 0, 0, 0, 0, 0, 0, 65535};
    const std::string png = folder.File("deep.png");
    oxtest::WritePngForTest(png, PNG_FORMAT_LINEAR_RGB, 3, 1, deepPixels);
    // Netpbm lets images follow one another in a file.
    const std::string image =
        std::string("P7\nWIDTH 3\nHEIGHT 1\nDEPTH 3\nMAXVAL 255\nTUPLTYPE RGB\nENDHDR\n") +
        std::string("\xC8\0\0\0\0\0\0\0\xC8", 9);
    const std::string pam = folder.File("two.pam");
    std::ofstream(pam, std::ios::binary) << image << image;

    for (const auto& [input, loss] : {std::pair<std::string, std::string>{tiff, "holds 3 images"},
                                      {png, "has 16-bit samples"},
                                      {pam, "holds 2 images"}}) {
        const std::string before = ReadFile(input);
        const auto over = RunOxhost({"run", "virarar", input, input});
        EXPECT_EQ(over.exitCode, 1) << over.err;
        EXPECT_EQ(CountLines(over.err), 1) << over.err;
        EXPECT_NE(over.err.find("will not write over '" + input + "'"), std::string::npos)
            << over.err;
        EXPECT_NE(over.err.find(loss), std::string::npos) << over.err;
        EXPECT_EQ(ReadFile(input), before);

        const std::string output = folder.File("out.png");
        const auto elsewhere = RunOxhost({"run", "virarar", input, output});
        EXPECT_EQ(elsewhere.exitCode, 0) << elsewhere.err;
        EXPECT_NE(elsewhere.err.find("warning: '" + input + "' " + loss), std::string::npos)
            << elsewhere.err;
        // The line pixel in the middle took the colour of its red neighbour.
        const Document flattened = oxhost::LoadImageFile(output);
        EXPECT_GT(flattened.pixels[0], 0);
        EXPECT_TRUE(
            std::equal(flattened.Pixel(0, 0), flattened.Pixel(0, 1), flattened.Pixel(0, 1)));
    }
}

TEST(OxhostCommandTest, ABmpInputIsFiltered) {
    ScratchFolder folder;
    oxtest::BmpSpec bmp;
    bmp.width = 3;
    bmp.height = 2;
    bmp.bitsPerPixel = 8;
    bmp.palette = {0, 0, 200, /**/ 0, 0, 0, /**/ 200, 0, 0};  // red, black, blue
    bmp.pixels = {0, 1, 2, 1, 1, 2};
    const std::string input = folder.File("scan.bmp");
    oxtest::WriteBytes(input, oxtest::BmpBytesForTest(bmp));
    const auto result = RunOxhost({"run", "virarar", input, folder.File("out.png")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(oxhost::LoadImageFile(folder.File("out.png")).pixels,
              RgbFromRows({"RRB", "RBB"}).pixels);
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

// Mistakes found before any filtering: a CMYK document for a PNG output
// (whatever the extension's case) and a folder given as an action file.
TEST(OxhostCommandTest, ImpossibleRunsAreRefusedBeforeTheFilterStarts) {
    ScratchFolder folder;
    Document cmyk;
    cmyk.width = 2;
    cmyk.height = 1;
    cmyk.model = ColorModel::CMYK;
    cmyk.pixels = {255, 255, 255, 255, 0, 0, 0, 0};
    const std::string input = folder.File("in.tif");
    oxhost::SaveImageFile(cmyk, input);
    struct Case {
        std::vector<std::string> arguments;
        std::string mentions;
    };
    const Case cases[] = {
        {{"run", "virarar", input, folder.File("out.Png")}, "PNG cannot hold a CMYK"},
        {{"run", "tintflood", input, folder.File("out.tif"), "--play", folder.Path()},
         "'" + folder.Path() + "': it is a folder"},
    };
    for (const Case& c : cases) {
        const auto result = oxtest::RunOxhostStoppedAt("filtering", {}, c.arguments);
        EXPECT_FALSE(result.stopped) << c.mentions;
        EXPECT_EQ(result.exitCode, 1) << result.err;
        EXPECT_EQ(CountLines(result.err), 1) << result.err;
        EXPECT_NE(result.err.find(c.mentions), std::string::npos) << result.err;
    }
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"in.tif"});
}

TEST(OxhostCommandTest, BadCommandLinesExitWithTwo) {
    EXPECT_EQ(RunOxhost({}).exitCode, 2);
    EXPECT_EQ(RunOxhost({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(RunOxhost({"run", "virarar"}).exitCode, 2);
    EXPECT_EQ(RunOxhost({"run", "--layout", "diagonal", "virarar", "a.png", "b.png"}).exitCode, 2);
    EXPECT_EQ(RunOxhost({"run", "--pick-color", "red", "virarar", "a.png", "b.png"}).exitCode, 2);
    EXPECT_EQ(RunOxhost({"run", "--compression", "tiny", "virarar", "a.png", "b.png"}).exitCode, 2);
    EXPECT_EQ(RunOxhost({"list", "--compression", "small"}).exitCode, 2);
    EXPECT_EQ(RunOxhost({"run", "--out-dir", "x", "virarar", "a.png", "b.png"}).exitCode, 2);
}

// Fast is the default; small costs time, never pixels.
TEST(OxhostCommandTest, CompressionChangesTheFileSizeOnly) {
    ScratchFolder folder;
    const std::string page = std::string(std::getenv("OX_SOURCE_DIR")) + "/samples/page.png";
    for (const char* extension : {".png", ".tif"}) {
        const std::string fast = folder.File(std::string("fast") + extension);
        const std::string small = folder.File(std::string("small") + extension);
        ASSERT_EQ(RunOxhost({"run", "-q", "virarar", page, fast}).exitCode, 0);
        ASSERT_EQ(RunOxhost({"run", "-q", "--compression", "small", "virarar", page, small}).exitCode,
                  0);
        EXPECT_EQ(oxhost::LoadImageFile(fast).pixels, oxhost::LoadImageFile(small).pixels);
        EXPECT_LT(std::filesystem::file_size(small), std::filesystem::file_size(fast)) << extension;
    }
}

TEST(OxhostCommandTest, EveryCommandHasHelp) {
    for (const char* command : {"run", "flat", "list", "about"}) {
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
    EXPECT_NE(result.err.find("'" + folder.File("out.png") + "' not written"), std::string::npos)
        << result.err;
    EXPECT_EQ(CountLines(result.err), 1) << result.err;
    EXPECT_FALSE(Exists(folder.File("out.png")));
}

// At every stage a wish to stop (Ctrl-C or SIGTERM) ends the run with status
// 130 and nothing written; killed outright while its results wait to be put
// in place, it leaves no temporary file behind either.
TEST(OxhostCommandTest, StoppingAtAnyStageWritesNothing) {
    struct Case {
        const char* stage;
        int signal;
        bool overInput;  // the output names the input
        int exitCode;
    };
    const Case cases[] = {
        {"loading", SIGINT, false, 130},
        {"loading", SIGTERM, true, 130},
        {"filtering", SIGINT, false, 130},
        {"filtering", SIGTERM, false, 130},
        {"writing", SIGINT, false, 130},
        {"writing", SIGTERM, true, 130},
        {"writing", SIGKILL, false, 128 + SIGKILL},
        {"writing", SIGKILL, true, 128 + SIGKILL},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        const std::string input = folder.File("in.png");
        oxhost::SaveImageFile(RgbFromRows({"WWKW", "WKKW", "KKWW"}), input);
        const std::vector<uint8_t> before = oxhost::LoadImageFile(input).pixels;
        const std::string output = c.overInput ? input : folder.File("out.png");
        const std::string action = folder.File("action.json");
        const auto result = oxtest::RunOxhostStoppedAt(
            c.stage, {c.signal}, {"run", "tintflood", input, output, "--record", action});
        const std::string label = std::string(c.stage) + " " + strsignal(c.signal);
        EXPECT_TRUE(result.stopped) << label;
        EXPECT_EQ(result.exitCode, c.exitCode) << label << ": " << result.err;
        if (c.signal != SIGKILL) {
            EXPECT_EQ(CountLines(result.err), 1) << label << ": " << result.err;
            EXPECT_NE(result.err.find("'" + output + "' not written"), std::string::npos)
                << label << ": " << result.err;
        }
        EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"in.png"}) << label;
        EXPECT_EQ(oxhost::LoadImageFile(input).pixels, before) << label;
    }
}

}  // namespace
