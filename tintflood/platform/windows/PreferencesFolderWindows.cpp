// The per-user application-data folder of Windows (CSIDL_APPDATA, 26), made
// when it is missing.
#include <shlobj.h>
#include <windows.h>

#include "Preferences.h"

std::string PreferencesFolder() {
    char folder[MAX_PATH + 1] = {};
    if (!SHGetSpecialFolderPathA(nullptr, folder, CSIDL_APPDATA, TRUE)) {
        return std::string();
    }
    // The system gives the folder without a trailing backslash.
    return std::string(folder) + "\\";
}
