// The host is the program of the process: the module of a null handle.
#include <windows.h>

#include "HostFolder.h"

std::string HostFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return std::string();
    }
    const std::string program(path, length);
    const size_t separator = program.rfind('\\');
    return separator == std::string::npos ? std::string() : program.substr(0, separator + 1);
}
