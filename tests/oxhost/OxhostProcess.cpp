#include "OxhostProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
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

int ExitCodeOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Starts the program with its output going to files of `scratch`, lets
// `drive` do what it will with the child, which it must have waited for to
// the end, and collects the output.
ProcessResult Run(const std::string& program, const std::vector<std::string>& arguments,
                  const std::vector<std::string>& environment,
                  const std::function<void(pid_t, ProcessResult&)>& drive) {
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
    ProcessResult result;
    drive(child, result);
    result.out = ReadWhole(outPath);
    result.err = ReadWhole(errPath);
    return result;
}

}  // namespace

ProcessResult RunOxhost(const std::vector<std::string>& arguments, int interruptAfterMs) {
    return RunProgram(BuiltProgramFolder() + "/oxhost", arguments, {}, interruptAfterMs);
}

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment, int interruptAfterMs) {
    return Run(program, arguments, environment,
               [interruptAfterMs](pid_t child, ProcessResult& result) {
                   if (interruptAfterMs >= 0) {
                       std::this_thread::sleep_for(std::chrono::milliseconds(interruptAfterMs));
                       kill(child, SIGINT);
                   }
                   int status = 0;
                   waitpid(child, &status, 0);
                   result.exitCode = ExitCodeOf(status);
               });
}

ProcessResult RunOxhostStoppedAt(const std::string& stage, const std::vector<int>& signals,
                                 const std::vector<std::string>& arguments) {
    const std::vector<std::string> environment = {"OXHOST_TEST_STOP_AT=" + stage};
    return Run(BuiltProgramFolder() + "/oxhost", arguments, environment,
               [&signals](pid_t child, ProcessResult& result) {
                   int status = 0;
                   waitpid(child, &status, WUNTRACED);
                   if (WIFSTOPPED(status)) {
                       result.stopped = true;
                       for (int signalNumber : signals) {
                           kill(child, signalNumber);
                       }
                       kill(child, SIGCONT);
                       waitpid(child, &status, 0);
                   }
                   result.exitCode = ExitCodeOf(status);
               });
}

PrivateInstall::PrivateInstall() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "oxtest-install-XXXXXX").string();
    folder = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    for (const char* file : {"oxhost", "Tintflood.8bf"}) {
        std::filesystem::copy_file(BuiltProgramFolder() + "/" + file, folder + "/" + file);
    }
    std::filesystem::create_directories(SwatchFolder());
}

PrivateInstall::~PrivateInstall() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

ProcessResult PrivateInstall::Run(const std::vector<std::string>& arguments) const {
    return RunProgram(folder + "/oxhost", arguments);
}

}  // namespace oxtest
