// Workers through posix_spawn, their output through a pipe read without
// blocking.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "PageProcess.h"
#include "host/HostError.h"

extern char** environ;

namespace oxhost {
namespace {

class LinuxPageProcess : public PageProcess {
public:
    LinuxPageProcess(pid_t process, int outputPipe) : process(process), outputPipe(outputPipe) {}
    ~LinuxPageProcess() override {
        if (!ended) {
            Stop();
        }
        if (outputPipe >= 0) {
            close(outputPipe);
        }
    }

    bool Poll() override {
        ReadAvailable();
        if (!ended) {
            int status = 0;
            const pid_t result = waitpid(process, &status, WNOHANG);
            if (result == process) {
                Ended(status);
            }
        }
        if (ended) {
            ReadAvailable();  // what was written just before the end
        }
        return ended && outputPipe < 0;
    }

private:
    void AskToStop() override {
        if (!ended) {
            kill(process, SIGTERM);
        }
    }

    void ReadAvailable() {
        char buffer[4096];
        while (outputPipe >= 0) {
            const ssize_t count = read(outputPipe, buffer, sizeof buffer);
            if (count > 0) {
                output.append(buffer, size_t(count));
            } else if (count == 0) {
                close(outputPipe);
                outputPipe = -1;
            } else if (errno != EINTR) {
                if (errno != EAGAIN && errno != EWOULDBLOCK) {
                    close(outputPipe);
                    outputPipe = -1;
                }
                return;
            }
        }
    }

    void Ended(int status) {
        ended = true;
        if (WIFEXITED(status)) {
            exitStatus = WEXITSTATUS(status);
            endDescription = "exit status " + std::to_string(exitStatus);
        } else {
            endDescription = "signal " + std::to_string(WTERMSIG(status));
        }
    }

    pid_t process;
    int outputPipe;
    bool ended = false;
};

// Owns the file actions of one spawn.
struct SpawnActions {
    SpawnActions() { posix_spawn_file_actions_init(&actions); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions); }
    posix_spawn_file_actions_t actions;
};

}  // namespace

std::unique_ptr<PageProcess> PageProcess::Start(const std::string& program,
                                                const std::vector<std::string>& arguments) {
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        throw HostError(std::string("cannot start a page process: ") + std::strerror(errno));
    }
    SpawnActions spawn;
    posix_spawn_file_actions_adddup2(&spawn.actions, pipeEnds[1], STDOUT_FILENO);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t process = 0;
    const int result =
        posix_spawn(&process, program.c_str(), &spawn.actions, nullptr, argv.data(), environ);
    close(pipeEnds[1]);
    if (result != 0) {
        close(pipeEnds[0]);
        throw HostError("cannot start '" + program + "': " + std::strerror(result));
    }
    fcntl(pipeEnds[0], F_SETFL, fcntl(pipeEnds[0], F_GETFL) | O_NONBLOCK);
    return std::make_unique<LinuxPageProcess>(process, pipeEnds[0]);
}

void PauseBetweenPolls() {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

}  // namespace oxhost
