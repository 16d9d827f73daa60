// On Linux the new content goes to an unnamed file in the target's folder
// (O_TMPFILE), which is linked under a hidden name and renamed over the
// target only once it is complete, so a process killed on the way leaves no
// stray file; a named temporary file stands in where the file system cannot
// make unnamed ones. Only regular files the user may write are replaced: a
// symbolic link to one stays a link and the file it names is replaced, and
// anything else (a folder, a device, a FIFO, a link to nothing, a read-only
// file) is left alone.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "AtomicFile.h"

namespace {

constexpr mode_t kNewFileMode = 0644;  // an ordinary user file

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

// The regular file to replace for `path` (itself, or where its links lead),
// or "" when `path` is something else.
std::string ReplacedFile(const std::string& path) {
    struct stat status;
    if (lstat(path.c_str(), &status) != 0) {
        return path;
    }
    if (S_ISREG(status.st_mode)) {
        return path;
    }
    char resolved[PATH_MAX];
    if (!S_ISLNK(status.st_mode) || realpath(path.c_str(), resolved) == nullptr ||
        stat(resolved, &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::string();
    }
    return resolved;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// An open temporary file in the folder of `target`; `name` is set when it
// has one (the fallback), left empty for an unnamed file.
int OpenTemporary(const std::string& target, std::string& name) {
    // An unnamed file is put in place through /proc/self/fd.
    if (access("/proc/self/fd", X_OK) == 0) {
        const int unnamed = open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (unnamed >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) {
            return unnamed;
        }
    }
    std::string pattern = target + ".XXXXXX";  // mkstemp wants six X at the end
    const int named = mkstemp(pattern.data());
    if (named >= 0) {
        name = pattern;
    }
    return named;
}

// Gives an unnamed file a hidden name beside `target`; "" when it cannot.
std::string LinkUnnamed(int descriptor, const std::string& target) {
    const std::string source = "/proc/self/fd/" + std::to_string(descriptor);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name =
            target + "." + std::to_string(getpid()) + "-" + std::to_string(attempt) + ".tmp";
        if (linkat(AT_FDCWD, source.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            return name;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return std::string();
}

}  // namespace

bool ReplaceFileAtomically(const std::string& path, const std::string& content) {
    const std::string target = ReplacedFile(path);
    // A file the user has protected from writing is left as it is.
    if (target.empty() ||
        (access(target.c_str(), F_OK) == 0 && access(target.c_str(), W_OK) != 0)) {
        return false;
    }
    struct stat status;
    const mode_t mode =
        stat(target.c_str(), &status) == 0 ? (status.st_mode & 07777) : kNewFileMode;
    std::string temporaryPath;
    const int descriptor = OpenTemporary(target, temporaryPath);
    if (descriptor < 0) {
        return false;
    }
    bool complete =
        fchmod(descriptor, mode) == 0 && WriteAll(descriptor, content) && fsync(descriptor) == 0;
    if (complete && temporaryPath.empty()) {
        temporaryPath = LinkUnnamed(descriptor, target);
        complete = !temporaryPath.empty();
    }
    const bool closed = close(descriptor) == 0;
    if (!complete || !closed || std::rename(temporaryPath.c_str(), target.c_str()) != 0) {
        if (!temporaryPath.empty()) {
            unlink(temporaryPath.c_str());
        }
        return false;
    }
    return true;
}
