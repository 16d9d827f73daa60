// Every entry of the folder, "." and ".." and sub-folders included, in the
// order the system enumerates them.
#include <windows.h>

#include "FileList.h"

FileList::FileList(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((folder + "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
