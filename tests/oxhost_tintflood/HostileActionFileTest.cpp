// Action files made to hurt the reader: the run ends with one line naming
// the file, instead of a crash or memory without bound.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "../oxhost/OxhostProcess.h"
#include "../support/ScratchFolder.h"

namespace {

std::string SamplePage() {
    const char* source = std::getenv("OX_SOURCE_DIR");
    return std::string(source != nullptr ? source : "..") + "/samples/page.png";
}

const char* kHeader =
    R"({"oxhostAction": 1, "plugin": "Tintflood...", "class": "TnFl", "event": "TnFl", )";

void ExpectRefusedInOneLine(const std::string& actionFile, const std::string& problem) {
    oxtest::ScratchFolder folder;
    const std::string output = folder.File("out.png");
    const auto result =
        oxtest::RunOxhost({"run", "tintflood", SamplePage(), output, "--play", actionFile});
    EXPECT_EQ(result.exitCode, 1) << actionFile << ": " << result.err;
    EXPECT_NE(result.err.find("'" + actionFile + "' is not a usable action file: " + problem),
              std::string::npos)
        << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST(HostileActionFileTest, DeepNestingIsRefused) {
    oxtest::ScratchFolder folder;
    const std::string arrays = folder.File("arrays.json");
    const std::string objects = folder.File("objects.json");
    const size_t depth = 100000;
    std::ofstream(arrays) << kHeader << "\"descriptor\": " << std::string(depth, '[')
                          << std::string(depth, ']') << "}";
    std::ofstream objectFile(objects);
    objectFile << R"({"oxhostAction": )";
    for (size_t i = 0; i < depth; ++i) {
        objectFile << R"({"a": )";
    }
    objectFile << "1" << std::string(depth + 1, '}');
    objectFile.close();
    ExpectRefusedInOneLine(arrays, "line 1: nested deeper than");
    ExpectRefusedInOneLine(objects, "line 1: nested deeper than");
}

TEST(HostileActionFileTest, ANumberBeyondADoubleIsRefusedWithItsLine) {
    oxtest::ScratchFolder folder;
    const std::string path = folder.File("huge.json");
    std::ofstream(path) << kHeader << "\n\"descriptor\": [{\"key\": \"Opct\", \"type\": \"float\","
                        << " \"value\": 1e400}]}";
    ExpectRefusedInOneLine(path, "line 2: the number 1e400 is too large");
}

TEST(HostileActionFileTest, AFileWithoutEndIsReadOnlyUpToTheSizeLimit) {
    ExpectRefusedInOneLine("/dev/zero", "it is larger than any action file");
}

}  // namespace
