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

std::string FileList::FirstName() {
    cursor = 0;
    return names.empty() ? std::string() : names[0];
}

std::string FileList::NextName() {
    if (cursor < names.size()) {
        ++cursor;
    }
    return cursor < names.size() ? names[cursor] : std::string();
}
