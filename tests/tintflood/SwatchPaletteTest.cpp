// The swatch file reader on files that are not whole version 1 files, and the
// colour-services request it makes of each colour space.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../support/ScratchFolder.h"
#include "SwatchPalette.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Version 1, count 2: RGB (0x1234, 0x5678, 0x9ABC) and Lab (1, 2, 3, 4).
const Bytes kTwoEntries = {0, 1, 0, 2, 0, 0, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC,
                           0, 0, 0, 7, 0, 1, 0,    2,    0,    3,    0,    4};

class SwatchPaletteTest : public ::testing::Test {
protected:
    // The palette read from a file holding exactly `bytes`.
    std::vector<SwatchEntry> Load(const Bytes& bytes) {
        const std::string path = folder.File("palette.aco");
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        SwatchPalette palette(path);
        std::vector<SwatchEntry> entries(palette.SwatchCount());
        for (SwatchEntry& entry : entries) {
            palette.NextSwatch(entry);
        }
        return entries;
    }

    oxtest::ScratchFolder folder;
};

TEST_F(SwatchPaletteTest, AWholeFileGivesItsEntriesInHostOrder) {
    const std::vector<SwatchEntry> entries = Load(kTwoEntries);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].space, 0);
    EXPECT_EQ(entries[0].w, 0x1234);
    EXPECT_EQ(entries[0].x, 0x5678);
    EXPECT_EQ(entries[0].y, 0x9ABC);
    EXPECT_EQ(entries[1].space, 7);
    EXPECT_EQ(entries[1].z, 4);
}

TEST_F(SwatchPaletteTest, OtherVersionsAndFilesTooShortForAHeaderGiveNoColours) {
    Bytes versionTwo = kTwoEntries;
    versionTwo[1] = 2;
    Bytes versionZero = kTwoEntries;
    versionZero[1] = 0;
    Bytes versionAbove255 = kTwoEntries;
    versionAbove255[0] = 1;
    for (const Bytes& bytes : {versionTwo, versionZero, versionAbove255, Bytes{}, Bytes{0},
                               Bytes{0, 1}, Bytes{0, 1, 0}, Bytes{0, 1, 0, 0}}) {
        EXPECT_TRUE(Load(bytes).empty()) << bytes.size() << " bytes";
    }
}

TEST_F(SwatchPaletteTest, ATruncatedFileGivesItsCompleteEntriesOnly) {
    for (size_t cut = 4; cut < kTwoEntries.size(); ++cut) {
        const Bytes truncated(kTwoEntries.begin(), kTwoEntries.begin() + long(cut));
        const size_t complete = (cut - 4) / 10;
        const std::vector<SwatchEntry> entries = Load(truncated);
        ASSERT_EQ(entries.size(), complete) << cut << " bytes";
        if (complete == 1) {
            EXPECT_EQ(entries[0].y, 0x9ABC);
        }
    }
    // A count above the entries present: those present.
    Bytes overstated = kTwoEntries;
    overstated[3] = 5;
    EXPECT_EQ(Load(overstated).size(), 2u);
}

TEST_F(SwatchPaletteTest, AMissingFileOrAFolderGivesNoColoursAndLeavesTheEntryAlone) {
    std::filesystem::create_directory(folder.File("folder.aco"));
    for (const std::string& path : {folder.File("missing.aco"), folder.File("folder.aco")}) {
        SwatchPalette palette(path);
        EXPECT_EQ(palette.SwatchCount(), 0u) << path;
        SwatchEntry entry{9, 9, 9, 9, 9};
        palette.NextSwatch(entry);
        EXPECT_EQ(entry.space, 9);
        EXPECT_EQ(entry.z, 9);
    }
}

struct Request {
    SwatchEntry entry;
    int16_t space;
    int16_t components[4];
};

TEST(SwatchRequestTest, EachSpaceAsksForItsComponents) {
    const Request requests[] = {
        {{0, 0xFFFF, 0x8000, 0x0000, 0x7777}, 0, {255, 128, 0, 0}},
        {{1, 65535, 0x4000, 0x2000, 0}, 1, {360, 64, 32, 0}},
        {{1, 182, 0, 0, 0}, 1, {1, 0, 0, 0}},
        {{2, 0x0100, 0x0200, 0x0300, 0x0400}, 2, {1, 2, 3, 4}},
        {{7, 3900, 0xEC78, 12700, 9}, 3, {100, 78, 255, 0}},  // 0xEC78 is -5000
        {{8, 5000, 7, 7, 7}, 4, {128, 0, 0, 0}},
    };
    for (const Request& request : requests) {
        EXPECT_EQ(SwatchSpaceToHost(request.entry.space), request.space);
        int16_t components[4] = {-1, -1, -1, -1};
        SwatchRequestComponents(request.entry, components);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(components[k], request.components[k])
                << "space code " << request.entry.space << ", component " << k;
        }
    }
    for (uint16_t unsupported : {3, 4, 5, 6, 9, 0xFFFF}) {
        EXPECT_EQ(SwatchSpaceToHost(unsupported), -1) << unsupported;
    }
}

}  // namespace
