#include <dirent.h>

#include <memory>

#include "FileList.h"

FileList::FileList(const std::string& folder) {
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(opendir(folder.c_str()), closedir);
    if (!directory) {
        return;
    }
    while (const dirent* entry = readdir(directory.get())) {
        names.emplace_back(entry->d_name);
    }
}
