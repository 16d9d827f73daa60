#include "FileList.h"

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
