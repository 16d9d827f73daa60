// Real Tintflood runs: oxhost on the sample page, and one run in process that
// watches the host's handles and the descriptor the plug-in records.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "../oxhost/OxhostProcess.h"
#include "../support/ScratchFolder.h"
#include "TintfloodDescriptor.h"
#include "host/color/ColorServicesHost.h"
#include "host/image/ImageFile.h"
#include "host/module/PluginModule.h"
#include "host/run/FilterRun.h"
#include "host/run/HostHandles.h"
#include "host/scripting/OwnedHandle.h"
#include "host/scripting/ScriptingSession.h"

namespace {

using oxhost::Document;
using oxtest::RunOxhost;
using oxtest::ScratchFolder;

std::string SamplePage() {
    const char* source = std::getenv("OX_SOURCE_DIR");
    return std::string(source != nullptr ? source : "..") + "/samples/page.png";
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Within `tolerance` of white in every channel: what Tintflood fills.
bool NearWhite(const uint8_t* pixel, int tolerance) {
    return pixel[0] >= 255 - tolerance && pixel[1] >= 255 - tolerance &&
           pixel[2] >= 255 - tolerance;
}

// Pixels outside the range are never written; every pixel inside it gets a
// colour outside it (its own area's, or a neighbour's when joined).
void ExpectFilledAroundWhite(const Document& before, const Document& after, int tolerance) {
    ASSERT_EQ(after.width, before.width);
    ASSERT_EQ(after.height, before.height);
    ASSERT_EQ(after.TotalPlanes(), before.TotalPlanes());
    int filled = 0;
    for (int row = 0; row < before.height; ++row) {
        for (int column = 0; column < before.width; ++column) {
            const uint8_t* old = before.Pixel(row, column);
            const uint8_t* now = after.Pixel(row, column);
            if (NearWhite(old, tolerance)) {
                ASSERT_FALSE(NearWhite(now, tolerance)) << "row " << row << " column " << column;
                ++filled;
            } else {
                ASSERT_TRUE(std::equal(old, old + 3, now)) << "row " << row << " column " << column;
            }
        }
    }
    EXPECT_GT(filled, 0);
}

TEST(TintfloodRunTest, FillsTheWhiteAreasOfThePage) {
    ScratchFolder folder;
    const std::string output = folder.File("out.png");
    const auto result = RunOxhost(
        {"--quiet", "run", "tintflood", SamplePage(), output, "--tolerance", "40", "--join", "10"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.err.empty()) << result.err;
    ExpectFilledAroundWhite(oxhost::LoadImageFile(SamplePage()), oxhost::LoadImageFile(output), 40);
}

TEST(TintfloodRunTest, APaletteGivesOnlyItsColours) {
    ScratchFolder folder;
    const std::string output = folder.File("out.png");
    const auto result = RunOxhost({"--quiet", "run", "tintflood", SamplePage(), output,
                                   "--tolerance", "40", "--palette", "Light Flats"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::set<std::array<uint8_t, 3>> lightFlats = {
        {255, 204, 153}, {255, 236, 139}, {204, 255, 153}, {153, 230, 204},
        {153, 204, 255}, {191, 170, 255}, {255, 170, 204}, {255, 179, 128},
        {170, 221, 136}, {136, 204, 221}, {221, 187, 153}, {187, 187, 238}};
    const Document before = oxhost::LoadImageFile(SamplePage());
    const Document after = oxhost::LoadImageFile(output);
    ExpectFilledAroundWhite(before, after, 40);
    std::set<std::array<uint8_t, 3>> used;
    for (int row = 0; row < before.height; ++row) {
        for (int column = 0; column < before.width; ++column) {
            if (NearWhite(before.Pixel(row, column), 40)) {
                const uint8_t* pixel = after.Pixel(row, column);
                used.insert({pixel[0], pixel[1], pixel[2]});
            }
        }
    }
    for (const auto& color : used) {
        EXPECT_EQ(lightFlats.count(color), 1u)
            << int(color[0]) << "," << int(color[1]) << "," << int(color[2]);
    }
    EXPECT_GT(used.size(), 1u);
}

TEST(TintfloodRunTest, PlayingARecordedActionGivesTheSameResult) {
    ScratchFolder folder;
    const std::string action = folder.File("action.json");
    const std::string first = folder.File("first.png");
    const std::string second = folder.File("second.png");
    auto result = RunOxhost({"--quiet", "run", "tintflood", SamplePage(), first, "--tolerance",
                             "40", "--join", "10", "--fill-color", "#ffffff", "--record", action});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string recorded = ReadText(action);
    EXPECT_NE(recorded.find("\"plugin\": \"Tintflood...\""), std::string::npos) << recorded;
    EXPECT_NE(recorded.find(R"({"key":"Tlrn","type":"integer","value":40})"), std::string::npos);
    EXPECT_NE(recorded.find(R"({"key":"JoiN","type":"boolean","value":true})"), std::string::npos);

    result = RunOxhost({"--quiet", "run", "tintflood", SamplePage(), second, "--play", action,
                        "--record", action});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(oxhost::LoadImageFile(second).pixels, oxhost::LoadImageFile(first).pixels);
    EXPECT_EQ(ReadText(action), recorded);
}

TEST(TintfloodRunTest, OptionsBesideAPlayedActionOverrideIt) {
    ScratchFolder folder;
    const std::string action = folder.File("action.json");
    const std::string played = folder.File("played.json");
    auto result = RunOxhost({"--quiet", "run", "tintflood", SamplePage(), folder.File("a.png"),
                             "--tolerance", "40", "--record", action});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    result = RunOxhost({"--quiet", "run", "tintflood", SamplePage(), folder.File("b.png"), "--play",
                        action, "--tolerance", "12", "--record", played});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string text = ReadText(played);
    EXPECT_NE(text.find(R"({"key":"Tlrn","type":"integer","value":12})"), std::string::npos)
        << text;
}

// In process: the plug-in records exactly what was replayed, and every handle
// the run made (descriptors, texts, the parameters block) is gone afterwards.
TEST(TintfloodRunTest, TheRecordedDescriptorEqualsTheReplayedOneAndNoHandleLeaks) {
    auto module = oxhost::PluginModule::Open(oxtest::BuiltProgramFolder() + "/Tintflood.8bf");
    Document document = oxhost::LoadImageFile(SamplePage());
    oxhost::TintfloodChoices choices;
    choices.tolerance = 40;
    choices.flagSize = 30;
    choices.flagColor = RGBColor{0x1010, 0x2020, 0x3030};
    choices.palette = "Comic Pastels.aco";
    choices.measureArea = true;
    oxhost::Descriptor replayed = oxhost::TintfloodDefaultDescriptor();
    oxhost::ApplyTintfloodChoices(choices, replayed);

    const size_t liveBefore = oxhost::HostHandles::Instance().LiveCount();
    {
        oxhost::ScriptingSession session(plugInDialogDontDisplay, replayed);
        oxhost::ColorServicesHost colorServices{
            oxhost::ColorConverter(),
            oxhost::ColorPickerScript(std::vector<oxhost::PickedColor>())};
        oxhost::OwnedHandle parameters;
        oxhost::RunOptions options;
        options.colorServices = [&colorServices](ColorServicesInfo* info) {
            return colorServices.Serve(info);
        };
        options.parameters = parameters.Receive();
        options.plugInRef = module.get();
        options.callParameters = true;
        session.Attach(options);
        oxhost::FilterRun run(module->Entry(), document, options);
        const oxhost::RunResult result = run.Run();
        ASSERT_EQ(result.result, 0) << result.pluginMessage;
        ASSERT_TRUE(session.Recorded());
        EXPECT_EQ(*session.Recorded(), replayed);
        EXPECT_EQ(session.RefusedDescriptors(), 0);
    }
    EXPECT_EQ(oxhost::HostHandles::Instance().LiveCount(), liveBefore);
}

// A swatch file: version, count, then one entry per colour (space code and
// four components), all big-endian.
std::string SwatchFile(uint16_t version, const std::vector<std::vector<uint16_t>>& entries) {
    std::string bytes;
    auto put = [&bytes](uint16_t value) {
        bytes.push_back(char(value >> 8));
        bytes.push_back(char(value & 0xFF));
    };
    put(version);
    put(uint16_t(entries.size()));
    for (const auto& entry : entries) {
        for (uint16_t value : entry) {
            put(value);
        }
    }
    return bytes;
}

std::string ActionNamingPalette(const std::string& palette) {
    return R"({"oxhostAction": 1, "plugin": "Tintflood...", "class": "TnFl", "event": "TnFl",)"
           R"( "descriptor": [{"key": "PltF", "type": "text", "value": ")" +
           palette + R"("}]})";
}

// The run goes on with random colours, but says that the palette it was
// given had none to offer, and why.
TEST(TintfloodRunTest, APaletteThatGivesNoColourIsReported) {
    oxtest::PrivateInstall install;
    const std::string swatches = install.SwatchFolder();
    std::ofstream(swatches + "Empty.aco");
    std::filesystem::create_directory(swatches + "Folder.aco");
    std::ofstream(swatches + "Version2.aco") << SwatchFile(2, {{0, 65535, 0, 0, 0}});
    std::ofstream(swatches + "Foreign.aco") << SwatchFile(1, {{3, 65535, 0, 0, 0}});
    ScratchFolder folder;
    const std::string output = folder.File("out.png");
    const std::string action = folder.File("action.json");
    std::ofstream(action) << ActionNamingPalette("Missing.aco");

    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--palette", "Empty"}, "the file is empty"},
        {{"--palette", "Folder"}, "it is a folder"},
        {{"--palette", "Version2"}, "version 2"},
        {{"--palette", "Foreign"}, "none of its colours"},
        {{"--play", action}, "there is no such file"},
    };
    for (const auto& [options, reason] : cases) {
        std::vector<std::string> arguments = {"run", "tintflood", SamplePage(), output};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const auto result = install.Run(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_NE(result.err.find("warning: the palette '"), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(reason), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("random colours"), std::string::npos) << result.err;
    }
    std::ofstream(swatches + "Good.aco") << SwatchFile(1, {{0, 65535, 0, 0, 0}});
    const auto good = install.Run({"run", "tintflood", SamplePage(), output, "--palette", "Good"});
    EXPECT_EQ(good.exitCode, 0) << good.err;
    EXPECT_TRUE(good.err.empty()) << good.err;
}

// The filter puts the swatch folder in front of the name it is given, so an
// action's palette name with a path in it is refused before the run.
TEST(TintfloodRunTest, AnActionsPaletteCannotReachOutsideTheSwatchFolder) {
    ScratchFolder folder;
    const std::string output = folder.File("out.png");
    for (const std::string& palette :
         {std::string("../outside.aco"),
          std::string("../../../../../../../../../../..") + folder.File("outside.aco"),
          std::string("..")}) {
        const std::string action = folder.File("action.json");
        std::ofstream(action) << ActionNamingPalette(palette);
        const auto result = RunOxhost({"run", "tintflood", SamplePage(), output, "--play", action});
        EXPECT_EQ(result.exitCode, 1) << result.err;
        EXPECT_NE(result.err.find("the palette '" + palette + "' is not a file name"),
                  std::string::npos)
            << result.err;
        EXPECT_FALSE(std::filesystem::exists(output));
    }
}

}  // namespace
