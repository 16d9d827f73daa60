// `oxhost run tintflood --dialog`: the options dialog before the run, from a
// script and in a real window on a private X server.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "../oxhost/OxhostProcess.h"
#include "../support/ScratchFolder.h"
#include "../support/XvfbServer.h"
#include "host/image/ImageFile.h"

namespace {

using oxhost::Document;
using oxtest::RunOxhost;
using oxtest::ScratchFolder;

// White areas split by a black line.
Document TwoAreas() {
    Document page;
    page.width = 5;
    page.height = 2;
    page.pixels.assign(size_t(page.width) * page.height * 3, 255);
    for (int row = 0; row < page.height; ++row) {
        std::fill(page.Pixel(row, 2), page.Pixel(row, 2) + 3, uint8_t(0));
    }
    return page;
}

bool IsWhite(const uint8_t* pixel) {
    return pixel[0] == 255 && pixel[1] == 255 && pixel[2] == 255;
}

// Points the preferences (and anything else per user) at a scratch folder
// for the programs this test starts.
class OxhostDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_CONFIG_HOME", settings.Path().c_str(), 1);
        input = folder.File("in.png");
        output = folder.File("out.png");
        oxhost::SaveImageFile(TwoAreas(), input);
    }
    void TearDown() override {
        unsetenv("XDG_CONFIG_HOME");
        unsetenv(kAutoPress);
    }
    std::string Script(const std::string& text) {
        const std::string path = folder.File("dialog.txt");
        std::ofstream(path) << text;
        return path;
    }
    std::string PreferencesFile() const { return settings.File("Tintflood Prefs"); }

    static constexpr const char* kAutoPress = "OXHOST_DIALOG_AUTOPRESS";
    ScratchFolder folder;
    ScratchFolder settings;
    std::string input;
    std::string output;
};

TEST_F(OxhostDialogTest, OkFromAScriptRunsWithTheDialogsSettingsAndSavesThem) {
    const auto result = RunOxhost({"run", "tintflood", input, output, "--tolerance", "12",
                                   "--dialog-script", Script("ok\n")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Document flooded = oxhost::LoadImageFile(output);
    EXPECT_FALSE(IsWhite(flooded.Pixel(0, 0)));  // both areas were flooded
    EXPECT_FALSE(IsWhite(flooded.Pixel(1, 4)));
    EXPECT_EQ(flooded.Pixel(0, 2)[0], 0);
    // The preferences hold what the dialog confirmed: the tolerance given.
    std::ifstream preferences(PreferencesFile(), std::ios::binary);
    ASSERT_TRUE(preferences.good());
    std::string text((std::istreambuf_iterator<char>(preferences)), {});
    EXPECT_NE(text.find("12"), std::string::npos) << text;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), {});
}

// Tolerance 40, joining on with size 7, the palette "Light Flats.aco"; the
// rest at the defaults. Flags are raw bytes in this file.
const std::string kSavedPreferences =
    std::string("1416513132 3 65535 65535 65535 40 \0 \0 \0 \0 65535 0 65535 20 \1 7\r\n", 64) +
    "Light Flats.aco\r\n";

TEST_F(OxhostDialogTest, TheDialogOpensWithThePreferencesAndOkKeepsThem) {
    std::ofstream(PreferencesFile(), std::ios::binary) << kSavedPreferences;
    const auto first =
        RunOxhost({"run", "tintflood", input, output, "--dialog-script", Script("ok\n")});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(ReadFile(PreferencesFile()), kSavedPreferences);

    // The second run starts from what the first saved, and runs with it.
    const std::string action = folder.File("action.json");
    const auto second = RunOxhost(
        {"run", "tintflood", input, output, "--dialog-script", Script("ok\n"), "--record", action});
    ASSERT_EQ(second.exitCode, 0) << second.err;
    const std::string recorded = ReadFile(action);
    for (const char* entry : {R"({"key":"Tlrn","type":"integer","value":40})",
                              R"({"key":"JoiN","type":"boolean","value":true})",
                              R"({"key":"JinS","type":"integer","value":7})",
                              R"({"key":"PltF","type":"text","value":"Light Flats.aco"})"}) {
        EXPECT_NE(recorded.find(entry), std::string::npos) << entry << "\n" << recorded;
    }
    EXPECT_EQ(ReadFile(PreferencesFile()), kSavedPreferences);
}

// Preferences kept elsewhere through a symbolic link stay there: the link
// stays a link and the file it names gets the new settings.
TEST_F(OxhostDialogTest, PreferencesBehindALinkAreWrittenThroughIt) {
    const std::string kept = folder.File("kept prefs");
    std::ofstream(kept, std::ios::binary) << kSavedPreferences;
    std::filesystem::create_symlink(kept, PreferencesFile());
    const auto result = RunOxhost({"run", "tintflood", input, output, "--tolerance", "41",
                                   "--dialog-script", Script("ok\n")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(std::filesystem::is_symlink(PreferencesFile()));
    EXPECT_NE(ReadFile(kept).find(" 41 "), std::string::npos) << ReadFile(kept);
}

// The dialog offers the files of the swatch folder only: a palette name
// from the preferences that leads out of it is never read.
TEST_F(OxhostDialogTest, APreferencesPaletteOutsideTheSwatchFolderIsNotRead) {
    oxtest::PrivateInstall install;
    // One red colour outside the folder, one green colour inside it.
    const std::string red("\0\1\0\1\0\0\xFF\xFF\0\0\0\0\0\0", 14);
    const std::string green("\0\1\0\1\0\0\0\0\xFF\xFF\0\0\0\0", 14);
    std::ofstream(install.Folder() + "/Presets/outside.aco", std::ios::binary) << red;
    std::ofstream(install.SwatchFolder() + "Only.aco", std::ios::binary) << green;
    // The defaults (the two areas are too small to be joined) and the name.
    const std::string preferences =
        std::string("1416513132 3 65535 65535 65535 0 \0 \0 \0 \0 65535 0 65535 20 \0 10\r\n", 64) +
        "../outside.aco\r\n";
    std::ofstream(PreferencesFile(), std::ios::binary) << preferences;

    const auto result =
        install.Run({"run", "tintflood", input, output, "--dialog-script", Script("ok\n")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Document flooded = oxhost::LoadImageFile(output);
    for (const uint8_t* pixel : {flooded.Pixel(0, 0), flooded.Pixel(1, 4)}) {
        EXPECT_EQ(pixel[0], 0);
        EXPECT_EQ(pixel[1], 255);
    }
}

// Scripts name items by their labels as well as by id; a step the dialog
// cannot take is an error naming its line, and nothing is confirmed.
TEST_F(OxhostDialogTest, ScriptsNameItemsByLabelAndTheirMistakesFailTheRun) {
    const std::string action = folder.File("action.json");
    const auto good =
        RunOxhost({"run", "tintflood", input, output, "--record", action, "--dialog-script",
                   Script("set tolerance = 30\nclick Join Areas <=\n"
                          "set \"Join Areas <=\" = 15\nok\n")});
    ASSERT_EQ(good.exitCode, 0) << good.err;
    const std::string recorded = ReadFile(action);
    for (const char* entry : {R"({"key":"Tlrn","type":"integer","value":30})",
                              R"({"key":"JoiN","type":"boolean","value":true})",
                              R"({"key":"JinS","type":"integer","value":15})"}) {
        EXPECT_NE(recorded.find(entry), std::string::npos) << entry << "\n" << recorded;
    }
    const std::string saved = ReadFile(PreferencesFile());
    std::filesystem::remove(output);

    const std::vector<std::pair<std::string, std::string>> mistakes = {
        {"set Tolerance = 5\nchoose #9999 = 1\nok\n", "line 2: the dialog has no item \"#9999\""},
        {"set Flag Areas <= = 5\nok\n", "line 1: \"Flag Areas <=\" (number field"},
        {"click Tolerance\nok\n", "line 1: \"Tolerance\" (text"},
        {"choose Color Palette = 99\nok\n", "has no entry 99"},
    };
    for (const auto& [script, problem] : mistakes) {
        const auto result =
            RunOxhost({"run", "tintflood", input, output, "--dialog-script", Script(script)});
        EXPECT_EQ(result.exitCode, 1) << script;
        EXPECT_NE(result.err.find(problem), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("dialog.txt"), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_FALSE(std::filesystem::exists(output)) << script;
        EXPECT_EQ(ReadFile(PreferencesFile()), saved) << script;
    }
    const auto notAScript =
        RunOxhost({"run", "tintflood", input, output, "--dialog-script", folder.Path()});
    EXPECT_EQ(notAScript.exitCode, 1);
    EXPECT_NE(notAScript.err.find("is a folder, not a dialog script"), std::string::npos)
        << notAScript.err;
}

TEST_F(OxhostDialogTest, DialogItemsListsIdsKindsAndLabels) {
    const auto result = RunOxhost({"dialog-items", "tintflood"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const char* line :
         {"#1      button          OK\n", "number field    Tolerance:\n",
          "check box       Join Areas <=\n", "popup           Color Palette:  [0: "}) {
        EXPECT_NE(result.out.find(line), std::string::npos) << line << "\n" << result.out;
    }
    EXPECT_FALSE(std::filesystem::exists(PreferencesFile()));
}

// The plug-in fails to save its preferences silently; the host says so, in
// one line, before the dialog opens, and the run itself goes on.
TEST_F(OxhostDialogTest, PreferencesThatCannotBeSavedAreReported) {
    std::filesystem::create_directory(PreferencesFile());
    const auto result =
        RunOxhost({"run", "tintflood", input, output, "--dialog-script", Script("ok\n")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find("warning: Tintflood cannot save its preferences"), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find(PreferencesFile()), std::string::npos) << result.err;
    EXPECT_TRUE(std::filesystem::is_directory(PreferencesFile()));
    EXPECT_TRUE(std::filesystem::exists(output));
}

TEST_F(OxhostDialogTest, CancelWritesNothingAndSaysSo) {
    const auto result =
        RunOxhost({"run", "tintflood", input, output, "--dialog-script", Script("cancel\n")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("options dialog was cancelled"), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_FALSE(std::filesystem::exists(PreferencesFile()));
}

TEST_F(OxhostDialogTest, AWindowNeedsADisplay) {
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display != nullptr ? display : "";
    unsetenv("DISPLAY");
    const auto result = RunOxhost({"run", "tintflood", input, output, "--dialog"});
    if (!saved.empty()) {
        setenv("DISPLAY", saved.c_str(), 1);
    }
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("--dialog-script"), std::string::npos) << result.err;
}

TEST_F(OxhostDialogTest, TheRealWindowAcceptsOkOnAPrivateXServer) {
    if (!oxtest::XvfbServer::Installed()) {
        GTEST_SKIP() << "Xvfb is not installed";
    }
    oxtest::XvfbServer display;
    ASSERT_TRUE(display.Running()) << display.Problem();
    setenv("DISPLAY", display.Display().c_str(), 1);
    setenv(kAutoPress, "1:500", 1);  // press OK once the window is drawn
    const auto result = RunOxhost({"run", "tintflood", input, output, "--dialog", "--random"});
    unsetenv("DISPLAY");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Document flooded = oxhost::LoadImageFile(output);
    EXPECT_FALSE(IsWhite(flooded.Pixel(0, 0)));
    EXPECT_FALSE(IsWhite(flooded.Pixel(1, 4)));
    EXPECT_EQ(flooded.Pixel(1, 2)[0], 0);
    EXPECT_TRUE(std::filesystem::exists(PreferencesFile()));
}

}  // namespace
