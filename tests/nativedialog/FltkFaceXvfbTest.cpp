// The interactive face end to end: `oxhost about virarar` shows its box in a
// real FLTK window on a private Xvfb server; the face's test hook types
// Escape after a while and saves what the window showed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "../oxhost/OxhostProcess.h"
#include "../support/XvfbServer.h"
#include "host/image/ImageFile.h"
#include "tests/support/ScratchFolder.h"

namespace {

// Sets environment variables for the test's children, removing them afterwards.
class ChildEnvironment {
public:
    ChildEnvironment(const std::string& display, const std::string& snapshot) {
        setenv("DISPLAY", display.c_str(), 1);
        setenv("OXHOST_TEST_CLOSE_AFTER_MS", "500", 1);
        setenv("OXHOST_TEST_SNAPSHOT", snapshot.c_str(), 1);
    }
    ~ChildEnvironment() {
        unsetenv("DISPLAY");
        unsetenv("OXHOST_TEST_CLOSE_AFTER_MS");
        unsetenv("OXHOST_TEST_SNAPSHOT");
    }
    ChildEnvironment(const ChildEnvironment&) = delete;
    ChildEnvironment& operator=(const ChildEnvironment&) = delete;
};

int CountDarkPixels(const oxhost::Document& image) {
    int dark = 0;
    for (int row = 0; row < image.height; ++row) {
        for (int column = 0; column < image.width; ++column) {
            const uint8_t* pixel = image.Pixel(row, column);
            dark += pixel[0] < 64 && pixel[1] < 64 && pixel[2] < 64 ? 1 : 0;
        }
    }
    return dark;
}

TEST(FltkFaceXvfb, AboutBoxShowsInAWindowAndEscapeClosesIt) {
    if (!oxtest::XvfbServer::Installed()) {
        GTEST_SKIP() << "Xvfb is not installed";
    }
    oxtest::XvfbServer display;
    ASSERT_TRUE(display.Running()) << display.Problem();
    oxtest::ScratchFolder folder;
    const std::string snapshot = folder.File("about.png");
    ChildEnvironment environment(display.Display(), snapshot);

    const auto result = oxtest::RunOxhost({"about", "virarar"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");

    // The window had the box's size and showed text: dark pixels on a light ground.
    const oxhost::Document image = oxhost::LoadImageFile(snapshot);
    EXPECT_EQ(image.width, 284);
    EXPECT_EQ(image.height, 195);
    const int dark = CountDarkPixels(image);
    EXPECT_GT(dark, 200);
    EXPECT_LT(dark, image.width * image.height / 4);
}

}  // namespace
