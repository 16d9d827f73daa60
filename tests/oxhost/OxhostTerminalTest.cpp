// oxhost with its output on a terminal (a pseudo-terminal of the test's own,
// of a width the test sets): one progress line that loading, the filter and
// writing take over in turn, never wider than the terminal, and failures on
// lines of their own.
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "../image/TestFiles.h"
#include "../support/ScratchFolder.h"
#include "host/image/ImageFile.h"

namespace {

using oxtest::ScratchFolder;

struct TerminalRun {
    int exitCode = -1;
    std::string screen;  // stdout and stderr as the terminal got them
};

TerminalRun RunOxhostOnTerminal(const std::vector<std::string>& arguments, int columns) {
    const std::string program = oxtest::BuiltProgramFolder() + "/oxhost";
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    winsize size{};
    size.ws_row = 24;
    size.ws_col = static_cast<unsigned short>(columns);
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, &size);
    if (child == 0) {
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    TerminalRun run;
    if (child < 0) {
        return run;
    }
    char buffer[4096];
    for (;;) {
        const ssize_t count = read(terminal, buffer, sizeof buffer);
        if (count > 0) {
            run.screen.append(buffer, size_t(count));
        } else if (count == 0 || errno != EINTR) {
            break;  // EIO once the program has closed its end
        }
    }
    close(terminal);
    int status = 0;
    waitpid(child, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

// The terminal turns each line break into "\r\n"; back to "\n".
std::string Lines(const std::string& screen) {
    std::string text;
    for (size_t index = 0; index < screen.size(); ++index) {
        if (!(screen[index] == '\r' && index + 1 < screen.size() && screen[index + 1] == '\n')) {
            text += screen[index];
        }
    }
    return text;
}

// What the line showed each time it was drawn from its start.
std::vector<std::string> Drawings(const std::string& line) {
    std::vector<std::string> drawings;
    size_t start = 0;
    for (size_t end = line.find('\r'); end != std::string::npos; end = line.find('\r', start)) {
        drawings.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    drawings.push_back(line.substr(start));
    return drawings;
}

class OxhostTerminalTest : public ::testing::Test {
protected:
    void SetUp() override {
        oxhost::SaveImageFile(oxtest::PatternDocument(300, 200, oxhost::ColorModel::RGB, false),
                              input);
    }

    ScratchFolder folder;
    const std::string input = folder.File("scan.png");
    const std::string output = folder.File("flat.tif");
};

TEST_F(OxhostTerminalTest, LoadingFilteringAndWritingShareOneLineThatFits) {
    for (int columns : {80, 24}) {
        const TerminalRun run = RunOxhostOnTerminal({"run", "virarar", input, output}, columns);
        ASSERT_EQ(run.exitCode, 0) << run.screen;
        const std::string text = Lines(run.screen);
        ASSERT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
        ASSERT_EQ(text.back(), '\n');
        const std::vector<std::string> drawings = Drawings(text.substr(0, text.size() - 1));
        for (const std::string& drawing : drawings) {
            EXPECT_LE(drawing.size(), size_t(columns - 1)) << "'" << drawing << "'";
        }
        EXPECT_EQ(drawings.back().substr(drawings.back().size() - 4), "100%") << text;
        if (columns == 80) {
            const size_t loading = text.find("\rLoading scan.png [");
            const size_t filtering = text.find("\rVirarar [");
            const size_t writing = text.find("\rWriting flat.tif [");
            EXPECT_LT(loading, filtering) << text;
            EXPECT_LT(filtering, writing) << text;
            EXPECT_NE(writing, std::string::npos) << text;
        }
        EXPECT_TRUE(std::filesystem::exists(output));
        std::filesystem::remove(output);
    }
    EXPECT_EQ(RunOxhostOnTerminal({"run", "--quiet", "virarar", input, output}, 80).screen, "");
}

TEST_F(OxhostTerminalTest, AFailureWhileTheBarShowsStartsALineOfItsOwn) {
    // Rows of noise that deflate cannot shrink, cut off half way.
    oxhost::Document noise = oxtest::PatternDocument(300, 200, oxhost::ColorModel::RGB, false);
    uint32_t state = 7;
    for (uint8_t& sample : noise.pixels) {
        state = state * 1103515245u + 12345u;
        sample = uint8_t(state >> 24);
    }
    oxhost::SaveImageFile(noise, input);
    oxtest::Bytes bytes = oxtest::ReadBytes(input);
    bytes.resize(bytes.size() / 2);
    oxtest::WriteBytes(input, bytes);

    const TerminalRun run = RunOxhostOnTerminal({"run", "virarar", input, output}, 80);
    EXPECT_EQ(run.exitCode, 1);
    const std::string text = Lines(run.screen);
    const size_t message = text.find("oxhost: '" + input + "': damaged PNG file");
    ASSERT_NE(message, std::string::npos) << text;
    ASSERT_GT(message, 0u) << text;
    EXPECT_EQ(text[message - 1], '\n') << text;
    EXPECT_NE(text.rfind("\rLoading scan.png [", message), std::string::npos) << text;
    EXPECT_EQ(text.find('\r', message), std::string::npos) << text;
    EXPECT_FALSE(std::filesystem::exists(output));
}

}  // namespace
