#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "AtomicFile.h"
#include "Preferences.h"
#include "tests/support/ScratchFolder.h"

namespace {

// Points the per-user configuration folder at a scratch folder for one test,
// so that no test ever touches the real user's files.
class PreferencesFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(scratch.Path().empty());
        SaveVariable("XDG_CONFIG_HOME", savedConfigHome, hadConfigHome);
        SaveVariable("HOME", savedHome, hadHome);
        setenv("XDG_CONFIG_HOME", ConfigFolder().c_str(), 1);
        setenv("HOME", scratch.File("home").c_str(), 1);
    }
    void TearDown() override {
        RestoreVariable("XDG_CONFIG_HOME", savedConfigHome, hadConfigHome);
        RestoreVariable("HOME", savedHome, hadHome);
    }

    std::string ConfigFolder() const { return scratch.File("config"); }
    std::string PrefsPath() const { return ConfigFolder() + "/Tintflood Prefs"; }

    std::string FileBytes(const std::string& path) const {
        std::ifstream file(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    }
    void PutFile(const std::string& path, const std::string& bytes) const {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    oxtest::ScratchFolder scratch;

private:
    static void SaveVariable(const char* name, std::string& value, bool& present) {
        const char* current = std::getenv(name);
        present = current != nullptr;
        value = present ? current : "";
    }
    static void RestoreVariable(const char* name, const std::string& value, bool present) {
        if (present) {
            setenv(name, value.c_str(), 1);
        } else {
            unsetenv(name);
        }
    }

    std::string savedConfigHome, savedHome;
    bool hadConfigHome = false, hadHome = false;
};

TEST_F(PreferencesFileTest, FolderIsConfigHomeCreatedWhenMissing) {
    EXPECT_EQ(PreferencesFolder(), ConfigFolder() + "/");
    EXPECT_TRUE(std::filesystem::is_directory(ConfigFolder()));
}

TEST_F(PreferencesFileTest, FolderFallsBackToDotConfigInHome) {
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(PreferencesFolder(), scratch.File("home") + "/.config/");
    setenv("XDG_CONFIG_HOME", "relative/path", 1);
    EXPECT_EQ(PreferencesFolder(), scratch.File("home") + "/.config/");
}

TEST_F(PreferencesFileTest, NoFolderAtAllMeansNoFileIsTouched) {
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("HOME");
    EXPECT_EQ(PreferencesFolder(), "");
    TintfloodSettings settings;
    settings.tolerance = 9;
    WritePreferences(settings);
    ReadPreferences(settings);
    EXPECT_EQ(settings.tolerance, 9);
}

TEST_F(PreferencesFileTest, WriteThenReadRoundTripsThroughTheFile) {
    TintfloodSettings written;
    written.tolerance = 33;
    written.flagAreas = 1;
    std::strcpy(written.paletteFile, "My Swatches.aco");
    WritePreferences(written);

    TintfloodSettings read;
    ReadPreferences(read);
    EXPECT_EQ(read.tolerance, 33);
    EXPECT_EQ(read.flagAreas, 1);
    EXPECT_STREQ(read.paletteFile, "My Swatches.aco");
}

TEST_F(PreferencesFileTest, DefaultsWriteTheSixtySixByteFileAndNothingElse) {
    WritePreferences(TintfloodSettings());
    EXPECT_EQ(FileBytes(PrefsPath()).size(), 66u);
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ConfigFolder())) {
        EXPECT_EQ(entry.path().filename(), "Tintflood Prefs");
        ++entries;
    }
    EXPECT_EQ(entries, 1);  // no temporary file left behind
}

TEST_F(PreferencesFileTest, WriteReplacesALongerFileWhole) {
    PutFile(PrefsPath(), std::string(500, 'z'));
    WritePreferences(TintfloodSettings());
    EXPECT_EQ(FileBytes(PrefsPath()).size(), 66u);
}

TEST_F(PreferencesFileTest, MissingFileKeepsDefaults) {
    TintfloodSettings settings;
    ReadPreferences(settings);
    EXPECT_TRUE(settings.IsValid());
    EXPECT_EQ(settings.joinSize, 10u);
    EXPECT_FALSE(std::filesystem::exists(PrefsPath()));
}

TEST_F(PreferencesFileTest, ForeignFileResetsToDefaults) {
    PutFile(PrefsPath(), "123 3 1 1 1 1\r\n\r\n");
    TintfloodSettings settings;
    ReadPreferences(settings);
    EXPECT_EQ(settings.fillColor.red, 65535);
    EXPECT_EQ(settings.tolerance, 0);
}

TEST(AtomicFile, FailureLeavesTheOldFileAndNoTemporary) {
    oxtest::ScratchFolder scratch;
    const std::string path = scratch.File("kept");
    ASSERT_TRUE(ReplaceFileAtomically(path, "old"));
    // A folder that cannot be written: the temporary file cannot be made.
    ASSERT_EQ(chmod(scratch.Path().c_str(), 0500), 0);
    const bool replaced = ReplaceFileAtomically(path, "new");
    chmod(scratch.Path().c_str(), 0700);
    if (geteuid() != 0) {  // root writes anyway
        EXPECT_FALSE(replaced);
        std::ifstream file(path);
        std::string content;
        file >> content;
        EXPECT_EQ(content, "old");
    }
    EXPECT_FALSE(ReplaceFileAtomically(scratch.File("missing/folder/file"), "x"));
}

}  // namespace
