// Opens web addresses in the user's browser through the desktop's
// `xdg-open`, without a shell and without waiting for the browser.
#pragma once

#include <string>

namespace oxhost {

// Starts `xdg-open ADDRESS` detached from this process (its own session,
// standard streams on /dev/null) and returns at once; any failure, a missing
// xdg-open included, is silent. No child process is left to reap.
void LaunchBrowser(const std::string& address);

}  // namespace oxhost
