// A page of a book run in a process of its own (the plug-ins keep state per
// process and are not reentrant, so pages run side by side only as separate
// processes). The process's standard output is collected; its standard error
// is the book's. One file per platform: PageProcessLinux.cpp and
// PageProcessWindows.cpp.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace oxhost {

class PageProcess {
public:
    // Starts `program` with `arguments` (not counting the program itself).
    // Throws HostError when it cannot be started.
    static std::unique_ptr<PageProcess> Start(const std::string& program,
                                              const std::vector<std::string>& arguments);
    virtual ~PageProcess() = default;

    // Collects what the process wrote so far without waiting; true once it
    // has ended and everything it wrote is in Output().
    virtual bool Poll() = 0;
    // Asks the process to stop (as Ctrl-C would), then waits for its end.
    void Stop() {
        AskToStop();
        Wait();
    }
    // Waits for the end.
    void Wait();

    const std::string& Output() const { return output; }
    // The exit status once ended; -1 when it ended otherwise (a signal).
    int ExitStatus() const { return exitStatus; }
    // "exit status 3", "signal 11", for messages.
    const std::string& EndDescription() const { return endDescription; }

protected:
    // Sends the request to stop, unless the process has ended.
    virtual void AskToStop() = 0;

    std::string output;
    int exitStatus = -1;
    std::string endDescription;
};

// Sleeps a little between polls.
void PauseBetweenPolls();

inline void PageProcess::Wait() {
    while (!Poll()) {
        PauseBetweenPolls();
    }
}

}  // namespace oxhost
