// `oxhost about` from the command line, without a display.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "../oxhost/OxhostProcess.h"

namespace {

using oxtest::RunOxhost;

// Removes DISPLAY for the test's children and puts it back afterwards.
class WithoutDisplay {
public:
    WithoutDisplay() {
        if (const char* display = std::getenv("DISPLAY")) {
            saved = display;
            hadDisplay = true;
        }
        unsetenv("DISPLAY");
    }
    ~WithoutDisplay() {
        if (hadDisplay) {
            setenv("DISPLAY", saved.c_str(), 1);
        }
    }
    WithoutDisplay(const WithoutDisplay&) = delete;
    WithoutDisplay& operator=(const WithoutDisplay&) = delete;

private:
    std::string saved;
    bool hadDisplay = false;
};

TEST(OxhostAbout, TextPrintsTheBoxAndItsButton) {
    WithoutDisplay noDisplay;
    const auto result = RunOxhost({"about", "virarar", "--text"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              "Virarar\n"
              "\n"
              "Version 1.1 Release January 2005\n"
              "by the Oxlen filter team\n"
              "Free to use and share\n"
              "\n"
              "A flatting filter for Adobe Photoshop\xC2\xAE.\n"
              "[www.oxlen.example]\n");
}

TEST(OxhostAbout, TextWorksForTintfloodToo) {
    const auto result = RunOxhost({"about", "--text", "tintflood"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out.rfind("Tintflood\n\n", 0), 0u) << result.out;
    EXPECT_NE(result.out.find("A multi flood filter for Adobe Photoshop\xC2\xAE.\n"),
              std::string::npos);
    EXPECT_NE(result.out.find("\n[www.oxlen.example]\n"), std::string::npos);
}

TEST(OxhostAbout, WithoutADisplayTheWindowIsRefusedAndTextSuggested) {
    WithoutDisplay noDisplay;
    const auto result = RunOxhost({"about", "virarar"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("DISPLAY"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("--text"), std::string::npos) << result.err;
}

TEST(OxhostAbout, TextIsAnOptionOfAboutOnly) {
    EXPECT_EQ(RunOxhost({"list", "--text"}).exitCode, 2);
    EXPECT_EQ(RunOxhost({"about", "--text"}).exitCode, 2);
    const auto unknown = RunOxhost({"about", "--text", "nosuchfilter"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.out, "");
}

TEST(OxhostAbout, HelpNamesTheTextOption) {
    const auto result = RunOxhost({"about", "--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("--text"), std::string::npos);
}

}  // namespace
