// The oxrc program: exit codes, and that a failed compile leaves the
// previous output untouched.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "TemporaryFolder.h"

namespace {

const std::string kOxrc = OX_OXRC;

int RunOxrc(const std::string& arguments) {
    std::string command = "'" + kOxrc + "' " + arguments + " >/dev/null 2>&1";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string TextOf(const std::string& path) {
    std::vector<unsigned char> bytes = restest::ReadWholeFile(path);
    return std::string(bytes.begin(), bytes.end());
}

size_t FileCount(const std::string& folder) {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

class OxrcTool : public ::testing::Test {
protected:
    restest::TemporaryFolder folder_;
};

TEST_F(OxrcTool, WritesTheEmbeddingSourceAndItsDependencies) {
    folder_.Write("data.bin", std::string("xyz"));
    std::string script = folder_.Write("good.rc", std::string("1 DATA \"data.bin\"\n"));
    std::string output = folder_.File("good.cpp");
    ASSERT_EQ(RunOxrc(script + " -o " + output + " --depfile " + folder_.File("good.d")), 0);
    std::string source = TextOf(output);
    EXPECT_NE(source.find("section(\"oxres\"))) const unsigned char oxEmbeddedResources[] = {\n"
                          "    0x4f, 0x58, 0x52, 0x53,"),
              std::string::npos);
    EXPECT_NE(
        source.find("const unsigned long oxEmbeddedResourcesSize = sizeof(oxEmbeddedResources);"),
        std::string::npos);
    EXPECT_EQ(TextOf(folder_.File("good.d")),
              output + ": " + script + " \\\n  " + folder_.File("data.bin") + "\n");
}

TEST_F(OxrcTool, FailedCompileKeepsThePreviousOutputAndLeavesNoTemporaryFile) {
    std::string script = folder_.Write("bad.rc", std::string("1 DATA { 1 }\n1 DATA { 2 }\n"));
    std::string output = folder_.Write("bad.cpp", std::string("previous"));
    size_t filesBefore = FileCount(folder_.Path());
    EXPECT_EQ(RunOxrc(script + " -o " + output), 1);
    EXPECT_EQ(TextOf(output), "previous");
    EXPECT_EQ(FileCount(folder_.Path()), filesBefore);
}

TEST_F(OxrcTool, UsageErrorsAndHelpHaveTheirOwnExitCodes) {
    EXPECT_EQ(RunOxrc("--help"), 0);
    EXPECT_EQ(RunOxrc(""), 2);
    EXPECT_EQ(RunOxrc("input.rc"), 2);
    EXPECT_EQ(RunOxrc("input.rc -o"), 2);
    EXPECT_EQ(RunOxrc(folder_.File("missing.rc") + " -o " + folder_.File("out.cpp")), 1);
}

}  // namespace
