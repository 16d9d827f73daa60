// On Windows the shell opens the address with the user's default handler
// for it, as a double click on a link would.
#include <windows.h>
// shellapi.h builds on the declarations of windows.h.
#include <shellapi.h>

#include "host/nativedialog/BrowserLauncher.h"

namespace oxhost {

void LaunchBrowser(const std::string& address) {
    if (WriteToBrowseLog(address)) {
        return;
    }
    ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace oxhost
