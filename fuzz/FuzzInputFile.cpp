#include "FuzzInputFile.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

std::string InputPath(const char* suffix) {
    return "/tmp/oxlen-fuzz-" + std::to_string(getpid()) + suffix;
}

std::string removeAtExit;

}  // namespace

const std::string& WriteFuzzInputFile(const uint8_t* data, size_t size, const char* suffix) {
    static const std::string path = [suffix] {
        removeAtExit = InputPath(suffix);
        std::atexit([] { std::remove(removeAtExit.c_str()); });
        return removeAtExit;
    }();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::perror(path.c_str());
        std::abort();  // a full /tmp must not pass for a reader that finds nothing wrong
    }
    return path;
}
