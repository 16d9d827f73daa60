// Runs the oxhost program as a user would and collects what it says.
#pragma once

#include <string>
#include <vector>

namespace oxtest {

struct ProcessResult {
    int exitCode = -1;  // 128 + signal number when killed by a signal
    std::string out;
    std::string err;
};

// Runs `program` with the arguments and, on top of this process's
// environment, the NAME=VALUE settings of `environment`; `interruptAfterMs`
// >= 0 sends it Ctrl-C (SIGINT) after that many milliseconds.
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment = {},
                         int interruptAfterMs = -1);

// Runs the built oxhost with the arguments.
ProcessResult RunOxhost(const std::vector<std::string>& arguments, int interruptAfterMs = -1);

}  // namespace oxtest
