// Tintflood's options on oxhost's command line, and the palettes they name.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "../support/ScratchFolder.h"
#include "Options.h"
#include "SwatchFolder.h"

namespace {

using oxhost::Options;
using oxhost::UsageError;

Options Parse(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    static char program[] = "oxhost";
    argv.push_back(program);
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    return oxhost::ParseOptions(int(argv.size()), argv.data());
}

std::string UsageProblem(const std::vector<std::string>& arguments) {
    try {
        Parse(arguments);
        return "";
    } catch (const UsageError& error) {
        return error.what();
    }
}

TEST(TintfloodOptionsTest, EveryOptionReachesItsChoice) {
    const Options options =
        Parse({"run", "tintflood", "in.png", "--fill-color", "#102030", "--tolerance=40", "out.png",
               "--palette", "Light Flats", "--flag", "25", "--flag-color", "00ff00", "--join=0",
               "--measure", "area", "--play", "a.json", "--record=b.json"});
    EXPECT_EQ(options.arguments, (std::vector<std::string>{"tintflood", "in.png", "out.png"}));
    const oxhost::TintfloodChoices& choices = options.tintflood;
    ASSERT_TRUE(choices.fillColor);
    EXPECT_EQ(choices.fillColor->red, 0x1010);
    EXPECT_EQ(choices.fillColor->green, 0x2020);
    EXPECT_EQ(choices.fillColor->blue, 0x3030);
    EXPECT_EQ(choices.tolerance, 40);
    EXPECT_EQ(choices.palette, "Light Flats");
    EXPECT_FALSE(choices.random);
    EXPECT_EQ(choices.flagSize, 25u);
    ASSERT_TRUE(choices.flagColor);
    EXPECT_EQ(choices.flagColor->green, 65535);
    EXPECT_EQ(choices.flagColor->red, 0);
    EXPECT_EQ(choices.joinSize, 0u);
    EXPECT_EQ(choices.measureArea, true);
    EXPECT_EQ(options.playFile, "a.json");
    EXPECT_EQ(options.recordFile, "b.json");
    EXPECT_EQ(choices.given.size(), 7u);
    EXPECT_FALSE(Parse({"run", "virarar", "a", "b"}).tintflood.Any());
    EXPECT_EQ(Parse({"--measure", "box"}).tintflood.measureArea, false);
}

TEST(TintfloodOptionsTest, ColoursAreSixHexDigitsWithOrWithoutAHash) {
    RGBColor color{};
    EXPECT_TRUE(oxhost::ParseColorOption("FFfe01", color));
    EXPECT_EQ(color.red, 65535);
    EXPECT_EQ(color.green, 0xFEFE);
    EXPECT_EQ(color.blue, 0x0101);
    for (const char* bad : {"", "#", "#12345", "#1234567", "12345g", "##123456", " 123456"}) {
        EXPECT_FALSE(oxhost::ParseColorOption(bad, color)) << bad;
    }
}

TEST(TintfloodOptionsTest, BadValuesAreUsageErrorsNamingTheOption) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--fill-color", "red"}, "--fill-color wants a colour"},
        {{"--flag-color", "#12"}, "--flag-color wants a colour"},
        {{"--tolerance", "-1"}, "--tolerance wants a whole number from 0 to 65535"},
        {{"--tolerance", "65536"}, "--tolerance wants"},
        {{"--tolerance", "4e1"}, "--tolerance wants"},
        {{"--tolerance"}, "option --tolerance needs a value"},
        {{"--flag", "2147483648"}, "--flag wants a whole number from 0 to 2147483647"},
        {{"--join", ""}, "--join wants"},
        {{"--measure", "pixels"}, "--measure wants 'area' or 'box'"},
        {{"--palette", ""}, "--palette wants the name"},
        {{"--palette", "a.aco", "--random"}, "--palette and --random exclude each other"},
        {{"--random", "--palette", "a.aco"}, "--palette and --random exclude each other"},
        {{"--random=yes"}, "unknown option '--random=yes'"},
    };
    for (const auto& [arguments, message] : cases) {
        const std::string problem = UsageProblem(arguments);
        EXPECT_NE(problem.find(message), std::string::npos)
            << arguments.front() << ": '" << problem << "'";
    }
    EXPECT_EQ(Parse({"--tolerance", "65535"}).tintflood.tolerance, 65535);
    EXPECT_EQ(Parse({"--flag", "2147483647"}).tintflood.flagSize, 2147483647u);
}

TEST(SwatchFolderTest, OnlyNamesLongerThanFourContainingDotAcoAreOffered) {
    EXPECT_TRUE(oxhost::IsSwatchFileName("a.aco"));
    EXPECT_TRUE(oxhost::IsSwatchFileName("x.aco.bak"));
    EXPECT_TRUE(oxhost::IsSwatchFileName("notes.aco.txt"));
    EXPECT_FALSE(oxhost::IsSwatchFileName(".aco"));
    EXPECT_FALSE(oxhost::IsSwatchFileName("B.ACO"));
    EXPECT_FALSE(oxhost::IsSwatchFileName("pastels.ac"));

    oxtest::ScratchFolder folder;
    for (const char* name : {"Pastels.aco", "notes.aco.txt", "OLD.ACO", ".aco", "readme"}) {
        std::ofstream(folder.File(name)) << "x";
    }
    std::vector<std::string> names = oxhost::ListSwatchFiles(folder.Path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Pastels.aco", "notes.aco.txt"}));
    EXPECT_TRUE(oxhost::ListSwatchFiles(folder.File("missing")).empty());
}

TEST(SwatchFolderTest, TheFolderLiesBesideTheRunningProgram) {
    const std::string folder = oxhost::SwatchFolder();
    const std::string tail = "/Presets/Color Swatches/";
    ASSERT_GT(folder.size(), tail.size());
    EXPECT_EQ(folder.substr(folder.size() - tail.size()), tail);
    EXPECT_EQ(folder[0], '/');
}

TEST(ResolvePaletteTest, NamesAreFoundWithOrWithoutTheirExtension) {
    oxtest::ScratchFolder folder;
    std::ofstream(folder.File("Light Flats.aco")) << "x";
    std::ofstream(folder.File("Comic.aco")) << "x";

    oxhost::TintfloodChoices choices;
    choices.palette = "Light Flats";
    oxhost::ResolvePalette(choices, folder.Path() + "/");
    EXPECT_EQ(choices.palette, "Light Flats.aco");
    choices.palette = "Comic.aco";
    oxhost::ResolvePalette(choices, folder.Path() + "/");
    EXPECT_EQ(choices.palette, "Comic.aco");

    oxhost::TintfloodChoices none;
    EXPECT_NO_THROW(oxhost::ResolvePalette(none, folder.Path()));
    EXPECT_FALSE(none.palette);
}

TEST(ResolvePaletteTest, AMissingPaletteIsAUsageErrorListingTheOfferedNames) {
    oxtest::ScratchFolder folder;
    std::ofstream(folder.File("Light Flats.aco")) << "x";
    std::ofstream(folder.File("LIGHT.ACO")) << "x";
    oxhost::TintfloodChoices choices;
    for (const char* name : {"nosuch", "light flats", "LIGHT.ACO", "../Light Flats.aco"}) {
        choices.palette = name;
        try {
            oxhost::ResolvePalette(choices, folder.Path() + "/");
            ADD_FAILURE() << name << " was accepted";
        } catch (const UsageError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(std::string("no palette '") + name + "'"), std::string::npos)
                << message;
            const size_t list = message.find("(it offers ");
            ASSERT_NE(list, std::string::npos) << message;
            EXPECT_NE(message.find("'Light Flats.aco'", list), std::string::npos) << message;
            EXPECT_EQ(message.find("LIGHT.ACO", list), std::string::npos) << message;
        }
    }
    oxtest::ScratchFolder empty;
    choices.palette = "x";
    try {
        oxhost::ResolvePalette(choices, empty.Path() + "/");
        ADD_FAILURE() << "a palette was found in an empty folder";
    } catch (const UsageError& error) {
        EXPECT_NE(std::string(error.what()).find("it offers none"), std::string::npos);
    }
}

}  // namespace
