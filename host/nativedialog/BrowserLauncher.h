// Opens web addresses in the user's browser, without waiting for it: through
// the desktop's `xdg-open` on Linux (no shell), through the shell's default
// handler (ShellExecuteA) on Windows.
#pragma once

#include <string>

namespace oxhost {

// The test hook: when this environment variable names a file, every address
// is appended to it as one line and nothing is opened.
constexpr const char* kBrowseLogVariable = "OXHOST_BROWSE_LOG";

// Starts the browser on `address` and returns at once; any failure, a
// missing xdg-open included, is silent. On Linux the program runs detached
// from this process (its own session, standard streams on /dev/null) and no
// child process is left to reap.
void LaunchBrowser(const std::string& address);

// What LaunchBrowser does first: with kBrowseLogVariable set, appends the
// address to that file and returns true (also when the file cannot be
// written); false when the variable is not set.
bool WriteToBrowseLog(const std::string& address);

}  // namespace oxhost
