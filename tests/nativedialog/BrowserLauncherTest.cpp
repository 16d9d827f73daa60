// xdg-open started without a shell and without a child left behind; a fake
// xdg-open on the PATH writes down the argument it got.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "host/nativedialog/BrowserLauncher.h"
#include "tests/support/ScratchFolder.h"

namespace {

// Puts `folder` alone on the PATH while it lives.
class PathOnly {
public:
    explicit PathOnly(const std::string& folder) {
        const char* path = std::getenv("PATH");
        saved = path != nullptr ? path : "";
        setenv("PATH", folder.c_str(), 1);
    }
    ~PathOnly() { setenv("PATH", saved.c_str(), 1); }
    PathOnly(const PathOnly&) = delete;
    PathOnly& operator=(const PathOnly&) = delete;

private:
    std::string saved;
};

std::string ReadWhenComplete(const std::string& path) {
    // The detached program runs on its own: a generous wait for its file.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        if (std::filesystem::exists(path + ".done")) {
            std::ifstream file(path, std::ios::binary);
            std::stringstream text;
            text << file.rdbuf();
            return text.str();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return "(never written)";
}

bool NoChildLeft() {
    return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

TEST(BrowserLauncher, PassesTheAddressAsOneArgumentWithoutAShell) {
    oxtest::ScratchFolder folder;
    const std::string record = folder.File("address");
    {
        std::ofstream fake(folder.File("xdg-open"));
        fake << "#!/bin/sh\nprintf '%s|%s' \"$1\" \"$#\" > '" << record << "'\ntouch '" << record
             << ".done'\n";
    }
    chmod(folder.File("xdg-open").c_str(), 0755);
    const std::string address = "http://www.oxlen.example/a b;echo $HOME";
    {
        PathOnly path(folder.Path() + ":/usr/bin:/bin");
        oxhost::LaunchBrowser(address);
    }
    EXPECT_TRUE(NoChildLeft());
    EXPECT_EQ(ReadWhenComplete(record), address + "|1");
}

TEST(BrowserLauncher, AMissingXdgOpenIsSilent) {
    oxtest::ScratchFolder folder;
    {
        PathOnly path(folder.Path());
        oxhost::LaunchBrowser("http://www.oxlen.example");
    }
    EXPECT_TRUE(NoChildLeft());
}

}  // namespace
