// oxhost's answers about palettes and Tintflood's options, before any pixel
// is filtered.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../oxhost/OxhostProcess.h"
#include "../support/ScratchFolder.h"

namespace {

using oxtest::RunOxhost;
using oxtest::ScratchFolder;

int CountLines(const std::string& text) {
    return int(std::count(text.begin(), text.end(), '\n'));
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), {});
}

std::string SamplePage() {
    const char* source = std::getenv("OX_SOURCE_DIR");
    return std::string(source != nullptr ? source : "..") + "/samples/page.png";
}

TEST(OxhostTintfloodCommandTest, PalettesListsTheShippedFilesAndTheirFolder) {
    const auto result = RunOxhost({"palettes"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.err.empty()) << result.err;
    const std::string folder = std::filesystem::canonical(oxtest::BuiltProgramFolder()).string() +
                               "/Presets/Color Swatches/";
    EXPECT_EQ(result.out.rfind("Swatch folder: " + folder + "\n", 0), 0u) << result.out;
    for (const char* name :
         {"\nLight Flats.aco\n", "\nComic Pastels.aco\n", "\nMixed Spaces.aco\n"}) {
        EXPECT_NE(result.out.find(name), std::string::npos) << result.out;
    }
    EXPECT_EQ(CountLines(result.out), 4) << result.out;
}

TEST(OxhostTintfloodCommandTest, AnUnknownPaletteFailsBeforeTheRunListingTheOfferedNames) {
    ScratchFolder folder;
    const std::string output = folder.File("out.png");
    const auto result =
        RunOxhost({"run", "tintflood", SamplePage(), output, "--palette", "nosuch"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("no palette 'nosuch'"), std::string::npos) << result.err;
    for (const char* name : {"'Light Flats.aco'", "'Comic Pastels.aco'", "'Mixed Spaces.aco'"}) {
        EXPECT_NE(result.err.find(name), std::string::npos) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST(OxhostTintfloodCommandTest, BadOrMisplacedOptionsAreUsageErrors) {
    ScratchFolder folder;
    const std::string output = folder.File("out.png");
    const std::vector<std::vector<std::string>> cases = {
        {"run", "tintflood", SamplePage(), output, "--tolerance", "abc"},
        {"run", "tintflood", SamplePage(), output, "--fill-color", "#1234"},
        {"run", "tintflood", SamplePage(), output, "--measure", "round"},
        {"run", "tintflood", SamplePage(), output, "--palette", "Light Flats", "--random"},
        {"run", "virarar", SamplePage(), output, "--tolerance", "3"},
        {"run", "virarar", SamplePage(), output, "--record", folder.File("a.json")},
        {"list", "--join", "4"},
        {"palettes", "--play", "a.json"},
    };
    for (const auto& arguments : cases) {
        const auto result = RunOxhost(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments[arguments.size() - 2] << ": " << result.err;
        EXPECT_NE(result.err.find("oxhost: "), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_FALSE(std::filesystem::exists(folder.File("a.json")));
}

TEST(OxhostTintfloodCommandTest, ADamagedOrForeignActionFileIsRefusedInOneLine) {
    ScratchFolder folder;
    const std::string output = folder.File("out.png");
    const std::string damaged = folder.File("damaged.json");
    const std::string foreign = folder.File("foreign.json");
    std::ofstream(damaged) << "{\"oxhostAction\": 1,";
    std::ofstream(foreign) << R"({"oxhostAction": 1, "plugin": "Virarar", "class": "TnFl",)"
                           << R"( "event": "TnFl", "descriptor": []})";

    auto result = RunOxhost({"run", "tintflood", SamplePage(), output, "--play", damaged});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("is not a usable action file"), std::string::npos) << result.err;
    EXPECT_EQ(CountLines(result.err), 1) << result.err;

    result = RunOxhost({"run", "tintflood", SamplePage(), output, "--play", foreign});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("was recorded for Virarar, not for Tintflood"), std::string::npos)
        << result.err;
    EXPECT_FALSE(std::filesystem::exists(output));
}

// Both destinations are checked before the filter runs: an output that
// exists already is not replaced when the action cannot be recorded.
TEST(OxhostTintfloodCommandTest, RecordingWhereNoFileCanBeWrittenFailsBeforeTheRun) {
    ScratchFolder folder;
    const std::string output = folder.File("out.png");
    std::ofstream(output) << "earlier result";
    std::filesystem::create_directory(folder.File("folder.json"));
    for (const std::string& record :
         {folder.File("no/such.json"), std::string("/proc/oxhost-record.json"),
          folder.File("folder.json")}) {
        const auto result =
            RunOxhost({"run", "tintflood", SamplePage(), output, "--record", record});
        EXPECT_EQ(result.exitCode, 1) << record;
        EXPECT_NE(result.err.find("--record"), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(record), std::string::npos) << result.err;
        EXPECT_EQ(CountLines(result.err), 1) << result.err;
        EXPECT_EQ(ReadText(output), "earlier result") << record;
    }
}

TEST(OxhostTintfloodCommandTest, HelpDescribesPalettesAndTintfloodsOptions) {
    const auto run = RunOxhost({"run", "--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* option : {"--fill-color", "--tolerance", "--palette", "--random", "--flag ",
                               "--flag-color", "--join", "--measure", "--play", "--record"}) {
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
    }
    const auto top = RunOxhost({"--help"});
    EXPECT_NE(top.out.find("palettes"), std::string::npos);
    EXPECT_EQ(RunOxhost({"help", "palettes"}).out.rfind("usage: oxhost palettes", 0), 0u);
}

}  // namespace
