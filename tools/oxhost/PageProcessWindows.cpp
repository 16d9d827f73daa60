// Workers through CreateProcess, their output through an anonymous pipe
// peeked at before reading so that a poll never blocks.
#include <windows.h>

#include "PageProcess.h"
#include "host/HostError.h"

namespace oxhost {
namespace {

// The command line the child's runtime splits back into these arguments.
std::string QuotedArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
        return argument;
    }
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count only before a quote: doubled there, plus one for the quote.
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

class WindowsPageProcess : public PageProcess {
public:
    WindowsPageProcess(HANDLE process, HANDLE outputPipe)
        : process(process), outputPipe(outputPipe) {}
    ~WindowsPageProcess() override {
        if (!ended) {
            Stop();
        }
        if (outputPipe != nullptr) {
            CloseHandle(outputPipe);
        }
        CloseHandle(process);
    }

    bool Poll() override {
        ReadAvailable();
        if (!ended && WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
            ended = true;
            DWORD code = 0;
            GetExitCodeProcess(process, &code);
            exitStatus = int(code);
            endDescription = "exit status " + std::to_string(exitStatus);
        }
        if (ended) {
            ReadAvailable();
        }
        return ended && outputPipe == nullptr;
    }

private:
    void AskToStop() override {
        if (!ended) {
            TerminateProcess(process, 130);
        }
    }

    void ReadAvailable() {
        while (outputPipe != nullptr) {
            DWORD available = 0;
            if (!PeekNamedPipe(outputPipe, nullptr, 0, nullptr, &available, nullptr)) {
                CloseHandle(outputPipe);  // the writing end is closed: all read
                outputPipe = nullptr;
                return;
            }
            if (available == 0) {
                return;
            }
            char buffer[4096];
            DWORD count = 0;
            if (!ReadFile(outputPipe, buffer, sizeof buffer, &count, nullptr) || count == 0) {
                CloseHandle(outputPipe);
                outputPipe = nullptr;
                return;
            }
            output.append(buffer, count);
        }
    }

    HANDLE process;
    HANDLE outputPipe;
    bool ended = false;
};

}  // namespace

std::unique_ptr<PageProcess> PageProcess::Start(const std::string& program,
                                                const std::vector<std::string>& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        throw HostError("cannot start a page process: no pipe");
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    std::string commandLine = QuotedArgument(program);
    for (const std::string& argument : arguments) {
        commandLine += " " + QuotedArgument(argument);
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION started{};
    const BOOL created = CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &started);
    CloseHandle(writeEnd);
    if (!created) {
        CloseHandle(readEnd);
        throw HostError("cannot start '" + program + "' (error " + std::to_string(GetLastError()) +
                        ")");
    }
    CloseHandle(started.hThread);
    return std::make_unique<WindowsPageProcess>(started.hProcess, readEnd);
}

void PauseBetweenPolls() {
    Sleep(20);
}

}  // namespace oxhost
