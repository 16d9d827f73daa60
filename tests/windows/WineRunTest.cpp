// The Windows modules run by the Windows build of oxhost under Wine: the same
// pixels as the Linux modules in the Linux oxhost, Tintflood's dialog flow and
// preferences file, scripting, and the About boxes in real Windows dialogs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "WindowsBuilds.h"
#include "host/image/ImageFile.h"
#include "tests/oxhost/OxhostProcess.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/XvfbServer.h"

namespace oxtest {
namespace {

namespace fs = std::filesystem;

std::string SourceFile(const std::string& relative) {
    return std::string(std::getenv("OX_SOURCE_DIR")) + "/" + relative;
}

std::string WinePrefix() {
    return std::string(std::getenv("OX_WINE_PREFIX"));
}

// A Unix path as the Windows program sees it: Wine's drive Z: is the root.
std::string WindowsPath(const std::string& path) {
    return "Z:" + path;
}

ProcessResult RunWine(const WindowsBuild& build, const std::vector<std::string>& arguments,
                      std::vector<std::string> environment = {}) {
    std::vector<std::string> command = {"120", "wine", build.bin + "/oxhost.exe"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    environment.push_back("WINEPREFIX=" + WinePrefix());
    environment.push_back("WINEDEBUG=-all");
    // No prompts to install Wine's .NET and HTML engines into a new prefix.
    environment.push_back("WINEDLLOVERRIDES=mscoree,mshtml=");
    return RunProgram("timeout", command, environment);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The page in CMYK, ink where the RGB page has none of its colour and full
// black under the dark lines (the interface's 255 = no ink), as a PAM file.
std::string MakeCmykPage(const ScratchFolder& scratch) {
    const oxhost::Document rgb = oxhost::LoadImageFile(SourceFile("samples/page.png"));
    oxhost::Document cmyk;
    cmyk.width = rgb.width;
    cmyk.height = rgb.height;
    cmyk.model = oxhost::ColorModel::CMYK;
    cmyk.pixels.resize(size_t(cmyk.width) * cmyk.height * 4);
    for (int row = 0; row < rgb.height; ++row) {
        for (int column = 0; column < rgb.width; ++column) {
            const uint8_t* from = rgb.Pixel(row, column);
            uint8_t* to = cmyk.Pixel(row, column);
            const bool dark = from[0] <= 8 && from[1] <= 8 && from[2] <= 8;
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
            to[3] = dark ? 0 : 255;
        }
    }
    const std::string path = scratch.File("cmyk-page.pam");
    oxhost::SaveImageFile(cmyk, path);
    return path;
}

struct FilterCase {
    std::string input;  // under the scratch folder or the sources
    std::string outputName;
    std::vector<std::string> options;  // after run PLUGIN IN OUT
    std::string plugin;
};

// Runs one case in both hosts and compares what they wrote.
void ExpectSamePixels(const WindowsBuild& build, const ScratchFolder& scratch,
                      const FilterCase& filter) {
    SCOPED_TRACE(build.name + " " + filter.plugin + " " + filter.outputName);
    const std::string linuxOut = scratch.File("linux-" + filter.outputName);
    const std::string windowsOut = scratch.File(build.name + "-" + filter.outputName);
    std::vector<std::string> linuxArguments = {"run", filter.plugin, filter.input, linuxOut};
    std::vector<std::string> windowsArguments = {"run", filter.plugin, WindowsPath(filter.input),
                                                 WindowsPath(windowsOut)};
    for (const std::string& option : filter.options) {
        linuxArguments.push_back(option);
        windowsArguments.push_back(option);
    }
    const ProcessResult onLinux = RunOxhost(linuxArguments);
    ASSERT_EQ(onLinux.exitCode, 0) << onLinux.err;
    const ProcessResult onWine = RunWine(build, windowsArguments);
    ASSERT_EQ(onWine.exitCode, 0) << onWine.out << onWine.err;

    const oxhost::Document expected = oxhost::LoadImageFile(linuxOut);
    const oxhost::Document got = oxhost::LoadImageFile(windowsOut);
    ASSERT_EQ(got.width, expected.width);
    ASSERT_EQ(got.height, expected.height);
    ASSERT_EQ(got.model, expected.model);
    EXPECT_TRUE(got.pixels == expected.pixels) << "the pixels differ";
}

class WineRuns : public ::testing::Test {
protected:
    void SetUp() override {
        builds = ConfiguredWindowsBuilds();
        ASSERT_FALSE(builds.empty()) << "no Windows build configured";
    }
    std::vector<WindowsBuild> builds;
    ScratchFolder scratch;
};

TEST_F(WineRuns, FiltersGiveTheLinuxPixels) {
    const std::string page = SourceFile("samples/page.png");
    const std::string white = SourceFile("samples/page-white.png");
    const std::string cmyk = MakeCmykPage(scratch);
    const std::vector<FilterCase> cases = {
        {page, "virarar.png", {}, "virarar"},
        {white, "random.png", {"--random"}, "tintflood"},
        {white,
         "palette-join.png",
         {"--palette", "Light Flats", "--tolerance", "40", "--join", "10"},
         "tintflood"},
        {white, "flag.png", {"--random", "--flag", "400", "--flag-color", "#ff00ff"}, "tintflood"},
        {cmyk, "virarar-cmyk.pam", {}, "virarar"},
        {cmyk, "tintflood-cmyk.pam", {"--palette", "Comic Pastels", "--join", "10"}, "tintflood"},
    };
    for (const WindowsBuild& build : builds) {
        for (const FilterCase& filter : cases) {
            ExpectSamePixels(build, scratch, filter);
        }
    }
}

// oxhost flat as a book of two pages, each in a worker process of its own
// (started with CreateProcess): the flats of the Linux host, pixel for pixel.
TEST_F(WineRuns, FlatBookGivesTheLinuxFlats) {
    fs::create_directories(scratch.File("book"));
    fs::copy_file(SourceFile("samples/page-inked.png"), scratch.File("book/inked.png"));
    fs::copy_file(SourceFile("samples/page-white.png"), scratch.File("book/white.png"));
    fs::create_directories(scratch.File("linux"));
    const ProcessResult onLinux =
        RunOxhost({"flat", "-q", "-j", "1", "--out-dir", scratch.File("linux"), scratch.File("book")});
    ASSERT_EQ(onLinux.exitCode, 0) << onLinux.err;
    for (const WindowsBuild& build : builds) {
        SCOPED_TRACE(build.name);
        const std::string out = scratch.File(build.name);
        fs::create_directories(out);
        const ProcessResult onWine = RunWine(build, {"flat", "-q", "-j", "2", "--out-dir",
                                                     WindowsPath(out),
                                                     WindowsPath(scratch.File("book"))});
        ASSERT_EQ(onWine.exitCode, 0) << onWine.out << onWine.err;
        EXPECT_NE(onWine.out.find("white.png: 187 areas filled"), std::string::npos) << onWine.out;
        for (const char* page : {"inked-flats.png", "white-flats.png"}) {
            const oxhost::Document expected = oxhost::LoadImageFile(scratch.File("linux/") + page);
            const oxhost::Document got = oxhost::LoadImageFile(out + "/" + page);
            EXPECT_TRUE(got.pixels == expected.pixels) << page << ": the pixels differ";
        }
    }
}

// Where Tintflood keeps its preferences under Wine: the application-data
// folder of the prefix's user.
std::string WinePreferencesFile() {
    const fs::path users = fs::path(WinePrefix()) / "drive_c" / "users";
    std::error_code error;
    for (const fs::directory_entry& user : fs::directory_iterator(users, error)) {
        const fs::path roaming = user.path() / "AppData" / "Roaming";
        if (user.path().filename() != "Public" && fs::is_directory(roaming)) {
            return (roaming / "Tintflood Prefs").string();
        }
    }
    return std::string();
}

TEST_F(WineRuns, OptionsDialogPreferencesAndScripting) {
    const std::string white = SourceFile("samples/page-white.png");
    const std::string okScript = scratch.File("ok.txt");
    const std::string cancelScript = scratch.File("cancel.txt");
    WriteText(okScript, "ok\n");
    WriteText(cancelScript, "cancel\n");
    const std::string linuxConfig = scratch.File("config");
    fs::create_directories(linuxConfig);

    // OK with the defaults on Linux writes the reference preferences file.
    const ProcessResult onLinux = RunProgram(
        BuiltProgramFolder() + "/oxhost",
        {"run", "tintflood", white, scratch.File("linux-dialog.png"), "--dialog-script", okScript},
        {"XDG_CONFIG_HOME=" + linuxConfig});
    ASSERT_EQ(onLinux.exitCode, 0) << onLinux.err;
    const std::string expectedPreferences = ReadBytes(linuxConfig + "/Tintflood Prefs");
    // The defaults, with the first swatch file that the dialog's palette menu offers.
    ASSERT_EQ(expectedPreferences.size(), 83u);

    for (const WindowsBuild& build : builds) {
        SCOPED_TRACE(build.name);
        const std::string output = scratch.File(build.name + "-dialog.png");
        // The prefix is made by the first Wine run; start without preferences.
        RunWine(build, {"--help"});
        const std::string preferences = WinePreferencesFile();
        ASSERT_FALSE(preferences.empty()) << "no application-data folder in the Wine prefix";
        fs::remove(preferences);

        const ProcessResult cancelled =
            RunWine(build, {"run", "tintflood", WindowsPath(white), WindowsPath(output),
                            "--dialog-script", WindowsPath(cancelScript)});
        EXPECT_EQ(cancelled.exitCode, 1) << cancelled.err;
        EXPECT_FALSE(fs::exists(output));
        EXPECT_FALSE(fs::exists(preferences));

        const ProcessResult confirmed =
            RunWine(build, {"run", "tintflood", WindowsPath(white), WindowsPath(output),
                            "--dialog-script", WindowsPath(okScript)});
        ASSERT_EQ(confirmed.exitCode, 0) << confirmed.out << confirmed.err;
        EXPECT_EQ(ReadBytes(preferences), expectedPreferences);
        EXPECT_TRUE(oxhost::LoadImageFile(output).pixels ==
                    oxhost::LoadImageFile(scratch.File("linux-dialog.png")).pixels);

        // Recorded under Wine, replayed on Linux and under Wine: one result.
        const std::string action = scratch.File(build.name + "-action.json");
        const std::string recorded = scratch.File(build.name + "-recorded.png");
        const ProcessResult recording =
            RunWine(build, {"run", "tintflood", WindowsPath(white), WindowsPath(recorded),
                            "--palette", "Comic Pastels", "--tolerance", "30", "--join", "12",
                            "--record", WindowsPath(action)});
        ASSERT_EQ(recording.exitCode, 0) << recording.err;
        const std::string replayedLinux = scratch.File(build.name + "-replayed-linux.png");
        const std::string replayedWine = scratch.File(build.name + "-replayed-wine.png");
        ASSERT_EQ(RunOxhost({"run", "tintflood", white, replayedLinux, "--play", action}).exitCode,
                  0);
        ASSERT_EQ(RunWine(build, {"run", "tintflood", WindowsPath(white), WindowsPath(replayedWine),
                                  "--play", WindowsPath(action)})
                      .exitCode,
                  0);
        const std::vector<uint8_t> pixels = oxhost::LoadImageFile(recorded).pixels;
        EXPECT_TRUE(oxhost::LoadImageFile(replayedLinux).pixels == pixels);
        EXPECT_TRUE(oxhost::LoadImageFile(replayedWine).pixels == pixels);
    }
}

TEST_F(WineRuns, AboutBoxesShowTheirOwnDialogAndText) {
    if (!XvfbServer::Installed()) {
        GTEST_SKIP() << "Xvfb is not installed";
    }
    XvfbServer display;
    ASSERT_TRUE(display.Running()) << display.Problem();
    // Wine keeps its desktop process for a while after a program ends; one
    // started by an earlier run without a display would stand in the way.
    RunProgram("wineserver", {"-k"}, {"WINEPREFIX=" + WinePrefix()});
    const std::string browseLog = scratch.File("browsed.txt");
    struct AboutCase {
        std::string plugin;
        std::string actions;
        std::string text;  // the start of the About text as printed
    };
    const std::vector<AboutCase> cases = {
        {"virarar", "text,site,char:27", "Virarar\\n\\nVersion 1.1 Release January 2005\\n"},
        {"tintflood", "text,site,char:13", "Tintflood\\n\\nVersion 1.1 Release January 2005\\n"},
        {"tintflood", "key:escape", ""},
        {"virarar", "click", ""},
    };
    for (const WindowsBuild& build : builds) {
        for (const AboutCase& about : cases) {
            SCOPED_TRACE(build.name + " " + about.plugin + " " + about.actions);
            fs::remove(browseLog);
            const ProcessResult shown = RunWine(
                build, {"about", about.plugin},
                {"DISPLAY=" + display.Display(), "OXHOST_TEST_ABOUT_ACTIONS=" + about.actions,
                 "OXHOST_BROWSE_LOG=" + WindowsPath(browseLog)});
            EXPECT_EQ(shown.exitCode, 0) << shown.out << shown.err;
            EXPECT_NE(shown.out.find("about result: 0"), std::string::npos) << shown.out;
            if (!about.text.empty()) {
                EXPECT_NE(shown.out.find("about text: " + about.text), std::string::npos)
                    << shown.out;
                EXPECT_EQ(ReadBytes(browseLog), "http://www.oxlen.example\n");
            }
        }
    }
}

}  // namespace
}  // namespace oxtest
