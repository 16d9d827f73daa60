// oxhost palettes --add: a swatch file of one's own copied into the swatch
// folder beside the program, and a file Tintflood could not read refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "../image/TestFiles.h"
#include "../support/ScratchFolder.h"
#include "OxhostProcess.h"

namespace {

using oxtest::Bytes;

// A swatch file of `version` with one RGB colour: the version, the count,
// then a space code and four components, all 16-bit big-endian.
Bytes SwatchFile(uint8_t version) {
    return {0, version, 0, 1, /* RGB */ 0, 0, 0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00, 0, 0};
}

TEST(OxhostPalettesAddTest, AVersionOneFileIsCopiedAndListed) {
    oxtest::PrivateInstall install;
    oxtest::ScratchFolder source;
    const std::string file = source.File("My Flats.aco");
    oxtest::WriteBytes(file, SwatchFile(1));

    const oxtest::ProcessResult added = install.Run({"palettes", "--add", file});
    ASSERT_EQ(added.exitCode, 0) << added.err;
    const std::string copy = install.SwatchFolder() + "My Flats.aco";
    EXPECT_EQ(oxtest::ReadBytes(copy), SwatchFile(1));
    EXPECT_NE(added.out.find("Added "), std::string::npos) << added.out;
    EXPECT_NE(added.out.find("My Flats.aco"), std::string::npos) << added.out;

    const oxtest::ProcessResult listed = install.Run({"palettes"});
    EXPECT_NE(listed.out.find("\nMy Flats.aco\n"), std::string::npos) << listed.out;

    // A second copy of the same name leaves the first as it is.
    oxtest::WriteBytes(file, Bytes{0, 1, 0, 1, /* RGB black */ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(install.Run({"palettes", "--add", file}).exitCode, 1);
    EXPECT_EQ(oxtest::ReadBytes(copy), SwatchFile(1));
}

TEST(OxhostPalettesAddTest, AFileOfAnotherVersionIsRefusedAndNothingIsCopied) {
    oxtest::PrivateInstall install;
    oxtest::ScratchFolder source;
    const std::string file = source.File("Newer.aco");
    oxtest::WriteBytes(file, SwatchFile(2));

    const oxtest::ProcessResult refused = install.Run({"palettes", "--add", file});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refused.err;
    EXPECT_NE(refused.err.find("cannot add '" + file + "'"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("version 2"), std::string::npos) << refused.err;
    EXPECT_TRUE(std::filesystem::is_empty(install.SwatchFolder()));
}

}  // namespace
