#include "BenchSupport.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace oxbench {

int RunProgram(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) < 0) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool BenchOptions::Wants(const std::string& page) const {
    return pages.empty() || std::find(pages.begin(), pages.end(), page) != pages.end();
}

bool ParseBenchOptions(int argc, char** argv, const char* usage, BenchOptions& options,
                       int& exitStatus) {
    options = BenchOptions();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            options.quick = true;
        } else if (argv[i][0] != '-') {
            options.pages.push_back(argv[i]);
        } else {
            std::fputs(usage, stdout);
            exitStatus = std::strcmp(argv[i], "--help") == 0 ? 0 : 2;
            return false;
        }
    }
    return true;
}

std::string ProgramFolder() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? "." : self.parent_path().string();
}

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "oxbench-XXXXXX").string();
    path = mkdtemp(pattern.data()) != nullptr ? pattern : ".";
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

}  // namespace oxbench
