// oxhost against files whose headers promise more than they hold, images
// over the pixel budget, and the program's identity and installation.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../support/ScratchFolder.h"
#include "OxhostProcess.h"

using oxtest::RunOxhost;
using oxtest::ScratchFolder;

namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string BigEndian32(uint32_t value) {
    return std::string{char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

std::string PngChunk(const std::string& type, const std::string& data) {
    const std::string body = type + data;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()));
    return BigEndian32(uint32_t(data.size())) + body + BigEndian32(uint32_t(crc));
}

// An 8-bit RGB PNG of the given size whose image data is `data` (compressed
// here), so tests can promise more rows than they give.
std::string PngFile(uint32_t width, uint32_t height, const std::string& rows) {
    std::string header =
        BigEndian32(width) + BigEndian32(height) + std::string("\x08\x02\0\0\0", 5);
    std::vector<Bytef> packed(compressBound(uLong(rows.size())));
    uLongf packedSize = uLongf(packed.size());
    compress(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(rows.data()),
             uLong(rows.size()));
    return std::string("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) +
           PngChunk("IDAT", std::string(reinterpret_cast<char*>(packed.data()), packedSize)) +
           PngChunk("IEND", "");
}

std::string LittleEndian(uint32_t value, int bytes) {
    std::string text;
    for (int index = 0; index < bytes; ++index) {
        text += char(value >> (8 * index));
    }
    return text;
}

// A little-endian RGB TIFF of one strip, `strip` at offset 8, in
// `compression` (1 none, 8 deflate).
std::string TiffFile(uint32_t width, uint32_t height, uint16_t compression,
                     const std::string& strip) {
    struct Entry {
        uint16_t tag;
        uint16_t type;  // 3 short, 4 long
        uint32_t value;
    };
    const Entry entries[] = {
        {256, 4, width},       {257, 4, height}, {258, 3, 8},
        {259, 3, compression}, {262, 3, 2},      {273, 4, 8},
        {277, 3, 3},           {278, 4, height}, {279, 4, uint32_t(strip.size())}};
    std::string file =
        std::string("II*\0", 4) + LittleEndian(uint32_t(8 + strip.size()), 4) + strip;
    file += LittleEndian(sizeof entries / sizeof entries[0], 2);
    for (const Entry& entry : entries) {
        file += LittleEndian(entry.tag, 2) + LittleEndian(entry.type, 2) + LittleEndian(1, 4) +
                (entry.type == 3 ? LittleEndian(entry.value, 2) + std::string(2, '\0')
                                 : LittleEndian(entry.value, 4));
    }
    return file + LittleEndian(0, 4);
}

std::string Deflated(const std::string& bytes) {
    std::vector<Bytef> packed(compressBound(uLong(bytes.size())));
    uLongf packedSize = uLongf(packed.size());
    compress(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(bytes.data()),
             uLong(bytes.size()));
    return std::string(reinterpret_cast<char*>(packed.data()), packedSize);
}

int LineCount(const std::string& text) {
    return int(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

// A few bytes declaring 30000 x 30000 fail on the missing data at once; the
// budget is raised so that the reader itself, not the budget, must stop it.
TEST(OxhostLimitsTest, HeaderWithoutDataFailsFastInOneLine) {
    ScratchFolder folder;
    WriteBytes(folder.File("promise.png"), PngFile(30000, 30000, std::string(30001, '\0')));
    WriteBytes(folder.File("promise.tif"),
               TiffFile(30000, 30000, 8, Deflated(std::string(100, '\0'))));
    WriteBytes(folder.File("raw.tif"), TiffFile(30000, 30000, 1, std::string(64, '\0')));
    for (const char* name : {"promise.png", "promise.tif", "raw.tif"}) {
        const oxtest::ProcessResult result =
            RunOxhost({"run", "--quiet", "--max-megapixels", "1000", "virarar", folder.File(name),
                       folder.File("out.png")});
        EXPECT_EQ(result.exitCode, 1) << name << ": " << result.err;
        EXPECT_EQ(LineCount(result.err), 1) << name << ": " << result.err;
        EXPECT_NE(result.err.find(name), std::string::npos) << result.err;
        EXPECT_FALSE(std::filesystem::exists(folder.File("out.png"))) << name;
    }
}

TEST(OxhostLimitsTest, ImageOverTheBudgetIsRefusedWithWhatItNeeds) {
    ScratchFolder folder;
    // 1100 x 1000 is 1.1 megapixels, over a budget of 1.
    WriteBytes(folder.File("big.png"), PngFile(1100, 1000, std::string(1000 * 3301, '\0')));
    const oxtest::ProcessResult refused =
        RunOxhost({"run", "--quiet", "--max-megapixels", "1", "virarar", folder.File("big.png"),
                   folder.File("out.png")});
    EXPECT_EQ(refused.exitCode, 1) << refused.err;
    EXPECT_EQ(LineCount(refused.err), 1) << refused.err;
    EXPECT_NE(refused.err.find("big.png"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("1.1 megapixels"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find(" MB"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("--max-megapixels"), std::string::npos) << refused.err;

    const oxtest::ProcessResult taken =
        RunOxhost({"run", "--quiet", "--max-megapixels", "2", "virarar", folder.File("big.png"),
                   folder.File("out.png")});
    EXPECT_EQ(taken.exitCode, 0) << taken.err;
}

TEST(OxhostLimitsTest, VersionNamesTheProjectVersion) {
    const oxtest::ProcessResult result = RunOxhost({"--version"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "oxhost " OX_PROJECT_VERSION "\n");
}

// cmake --install into a folder of its own, then the installed program finds
// its modules and swatch files from there.
TEST(OxhostLimitsTest, InstalledProgramRunsBothFilters) {
    ScratchFolder prefix;
    const oxtest::ProcessResult install = oxtest::RunProgram(
        OX_CMAKE_COMMAND, {"--install", OX_BINARY_DIR, "--prefix", prefix.Path()});
    ASSERT_EQ(install.exitCode, 0) << install.out << install.err;
    const std::string installed = prefix.File("bin/oxhost");
    const oxtest::ProcessResult flattened = oxtest::RunProgram(
        installed,
        {"run", "--quiet", "virarar", OX_SOURCE_DIR "/samples/page.png", prefix.File("flat.png")});
    EXPECT_EQ(flattened.exitCode, 0) << flattened.err;
    const oxtest::ProcessResult flooded = oxtest::RunProgram(
        installed, {"run", "--quiet", "tintflood", OX_SOURCE_DIR "/samples/page-white.png",
                    prefix.File("flats.png"), "--palette", "Light Flats"});
    EXPECT_EQ(flooded.exitCode, 0) << flooded.err;
    EXPECT_EQ(flooded.err.find("warning"), std::string::npos) << flooded.err;
}
