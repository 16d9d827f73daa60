// On Linux the temporary file comes from mkostemp and is renamed over the
// target, which POSIX makes atomic.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "host/HostError.h"
#include "host/image/AtomicFile.h"

namespace oxhost {
namespace {

[[noreturn]] void ThrowWriteError(const std::string& targetPath, int errorNumber) {
    throw HostError("cannot write '" + targetPath + "': " + std::strerror(errorNumber));
}

// Writing through a symbolic link replaces the file it points at, not the link.
std::string ResolveSymbolicLink(const std::string& path) {
    struct stat status;
    if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
        return path;
    }
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) {
        return path;  // a dangling link: the link itself is replaced
    }
    return resolved;
}

std::string FolderPrefix(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string BaseName(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A replaced file keeps its permissions; a new one gets what the umask allows,
// as if it had been created directly. The umask can only be read by setting
// it, which is safe while no other thread creates files.
mode_t PermissionsForTarget(const std::string& path) {
    struct stat status;
    if (stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
        return status.st_mode & 07777;
    }
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Makes the rename itself durable; a failure here loses nothing already
// written, so it is not reported.
void SyncFolder(const std::string& folderPrefix) {
    std::string folder = folderPrefix.empty() ? "." : folderPrefix;
    int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (descriptor >= 0) {
        fsync(descriptor);
        close(descriptor);
    }
}

}  // namespace

AtomicFile::AtomicFile(const std::string& targetPath)
    : targetPath_(targetPath), resolvedTargetPath_(ResolveSymbolicLink(targetPath)) {
    std::string pattern =
        FolderPrefix(resolvedTargetPath_) + "." + BaseName(resolvedTargetPath_) + ".XXXXXX";
    int descriptor = mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor < 0) {
        ThrowWriteError(targetPath_, errno);
    }
    temporaryPath_ = pattern;
    if (fchmod(descriptor, PermissionsForTarget(resolvedTargetPath_)) != 0) {
        int error = errno;
        close(descriptor);
        RemoveTemporary();
        ThrowWriteError(targetPath_, error);
    }
    stream_ = fdopen(descriptor, "wb");
    if (stream_ == nullptr) {
        int error = errno;
        close(descriptor);
        RemoveTemporary();
        ThrowWriteError(targetPath_, error);
    }
}

AtomicFile::~AtomicFile() {
    RemoveTemporary();
}

void AtomicFile::Commit() {
    if (stream_ == nullptr) {
        throw HostError("cannot write '" + targetPath_ + "': the file was already committed");
    }
    int error = 0;
    if (fflush(stream_) != 0 || fsync(fileno(stream_)) != 0) {
        error = errno;
    }
    FILE* stream = stream_;
    stream_ = nullptr;
    if (fclose(stream) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && rename(temporaryPath_.c_str(), resolvedTargetPath_.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        RemoveTemporary();
        ThrowWriteError(targetPath_, error);
    }
    temporaryPath_.clear();
    SyncFolder(FolderPrefix(resolvedTargetPath_));
}

void AtomicFile::RemoveTemporary() {
    if (stream_ != nullptr) {
        fclose(stream_);
        stream_ = nullptr;
    }
    if (!temporaryPath_.empty()) {
        unlink(temporaryPath_.c_str());
        temporaryPath_.clear();
    }
}

}  // namespace oxhost
