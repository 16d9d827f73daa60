#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "AtomicFile.h"

namespace {

bool WriteAll(int descriptor, const std::string& content) {
    size_t written = 0;
    while (written < content.size()) {
        const ssize_t count = write(descriptor, content.data() + written, content.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        written += size_t(count);
    }
    return true;
}

}  // namespace

bool ReplaceFileAtomically(const std::string& path, const std::string& content) {
    // mkstemp wants a writable template ending in six X.
    std::string pattern = path + ".XXXXXX";
    std::vector<char> temporaryPath(pattern.begin(), pattern.end());
    temporaryPath.push_back('\0');
    const int descriptor = mkstemp(temporaryPath.data());
    if (descriptor < 0) {
        return false;
    }
    // mkstemp creates the file readable by the owner only; a preferences
    // file is an ordinary user file.
    fchmod(descriptor, 0644);
    const bool complete = WriteAll(descriptor, content) && fsync(descriptor) == 0;
    const bool closed = close(descriptor) == 0;
    if (!complete || !closed || std::rename(temporaryPath.data(), path.c_str()) != 0) {
        unlink(temporaryPath.data());
        return false;
    }
    return true;
}
