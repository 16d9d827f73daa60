// `oxhost run tintflood --dialog`: the options dialog before the run, from a
// script and in a real window on a private X server.
#include <gtest/gtest.h>

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
