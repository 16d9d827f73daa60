#include "host/nativedialog/BrowserLauncher.h"

#include <cstdio>
#include <cstdlib>

namespace oxhost {

bool WriteToBrowseLog(const std::string& address) {
    const char* path = std::getenv(kBrowseLogVariable);
    if (path == nullptr || *path == '\0') {
        return false;
    }
    if (FILE* log = std::fopen(path, "ab")) {
        std::fprintf(log, "%s\n", address.c_str());
        std::fclose(log);
    }
    return true;
}

}  // namespace oxhost
