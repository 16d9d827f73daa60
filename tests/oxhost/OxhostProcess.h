// Runs the oxhost program as a user would and collects what it says.
#pragma once

#include <string>
#include <vector>

namespace oxtest {

struct ProcessResult {
    int exitCode = -1;  // 128 + signal number when killed by a signal
    std::string out;
    std::string err;
    bool stopped = false;  // RunOxhostStoppedAt: the stage was reached
};

// Runs `program` with the arguments and, on top of this process's
// environment, the NAME=VALUE settings of `environment`; `interruptAfterMs`
// >= 0 sends it Ctrl-C (SIGINT) after that many milliseconds.
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment = {},
                         int interruptAfterMs = -1);

// Runs the built oxhost with the arguments.
ProcessResult RunOxhost(const std::vector<std::string>& arguments, int interruptAfterMs = -1);

// Runs the built oxhost so that it stops itself as `stage` begins
// (OXHOST_TEST_STOP_AT), sends it `signals` in order while it is stopped,
// and lets it go on.
ProcessResult RunOxhostStoppedAt(const std::string& stage, const std::vector<int>& signals,
                                 const std::vector<std::string>& arguments);

// oxhost and Tintflood copied into a folder of their own, with a swatch
// folder of their own, for tests that need palettes the build does not ship.
class PrivateInstall {
public:
    PrivateInstall();
    ~PrivateInstall();
    PrivateInstall(const PrivateInstall&) = delete;
    PrivateInstall& operator=(const PrivateInstall&) = delete;

    const std::string& Folder() const { return folder; }
    // "FOLDER/Presets/Color Swatches/", made empty.
    std::string SwatchFolder() const { return folder + "/Presets/Color Swatches/"; }
    // Runs the copied oxhost with the arguments.
    ProcessResult Run(const std::vector<std::string>& arguments) const;

private:
    std::string folder;
};

}  // namespace oxtest
