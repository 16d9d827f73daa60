#include "OxhostProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "../support/ScratchFolder.h"

namespace oxtest {
namespace {

std::string ReadWhole(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

ProcessResult RunOxhost(const std::vector<std::string>& arguments, int interruptAfterMs) {
    return RunProgram(BuiltProgramFolder() + "/oxhost", arguments, {}, interruptAfterMs);
}

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment, int interruptAfterMs) {
    ScratchFolder scratch;
    const std::string outPath = scratch.File("stdout");
    const std::string errPath = scratch.File("stderr");

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        for (const std::string& setting : environment) {
            putenv(const_cast<char*>(setting.c_str()));
        }
        execvp(program.c_str(), argv.data());
        _exit(127);
    }
    if (interruptAfterMs >= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(interruptAfterMs));
        kill(child, SIGINT);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ProcessResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = ReadWhole(outPath);
    result.err = ReadWhole(errPath);
    return result;
}

}  // namespace oxtest
