// On Linux the temporary file is an unnamed file of the target's folder
// (O_TMPFILE): a process killed while writing leaves nothing behind. To put
// it in place it is linked under a hidden name through /proc/self/fd and
// renamed over the target, which POSIX makes atomic. Where the file system
// or the system lacks either, a hidden file from mkostemp stands in.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "host/HostError.h"
#include "host/image/AtomicFile.h"

namespace oxhost {
namespace {

[[noreturn]] void ThrowWriteError(const std::string& targetPath, int errorNumber) {
    throw HostError("cannot write '" + targetPath + "': " + std::strerror(errorNumber));
}

[[noreturn]] void ThrowNotRegular(const std::string& targetPath, const std::string& what) {
    throw HostError("cannot write '" + targetPath + "': it is " + what +
                    ", not a regular file; only regular files are replaced");
}

std::string KindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "a folder";
    }
    if (S_ISFIFO(mode)) {
        return "a FIFO";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "a device";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return "a special file";
}

// The regular file `path` stands for: itself, or the file its symbolic links
// lead to. An absent path is returned as it is (a new file). Throws for
// anything that is not, or does not lead to, a regular file.
std::string ResolveTarget(const std::string& path) {
    struct stat status;
    if (lstat(path.c_str(), &status) != 0) {
        return path;  // absent, or unreachable: creating the file will say why
    }
    if (S_ISREG(status.st_mode)) {
        return path;
    }
    if (!S_ISLNK(status.st_mode)) {
        ThrowNotRegular(path, KindOf(status.st_mode));
    }
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) {
        ThrowNotRegular(path,
                        errno == ELOOP ? "a loop of symbolic links" : "a symbolic link to nothing");
    }
    if (stat(resolved, &status) == 0 && !S_ISREG(status.st_mode)) {
        ThrowNotRegular(path, "a symbolic link to " + KindOf(status.st_mode) + " ('" +
                                  std::string(resolved) + "')");
    }
    return resolved;
}

// A file the user has protected from writing is not replaced behind their back.
void CheckWritable(const std::string& targetPath, const std::string& resolvedPath) {
    if (access(resolvedPath.c_str(), F_OK) == 0 && access(resolvedPath.c_str(), W_OK) != 0) {
        ThrowWriteError(targetPath, errno);
    }
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string FolderPrefix(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
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

bool CanLinkUnnamedFiles() {
    static const bool available = access("/proc/self/fd", X_OK) == 0;
    return available;
}

// An unnamed file in the folder, or -1 with errno set. EOPNOTSUPP (file
// systems without it) and EISDIR or EINVAL (kernels without it) ask for the
// named fallback.
int OpenUnnamed(const std::string& folder) {
    if (!CanLinkUnnamedFiles()) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
}

bool NeedsNamedFallback(int errorNumber) {
    return errorNumber == EOPNOTSUPP || errorNumber == EISDIR || errorNumber == EINVAL;
}

// A hidden name beside `resolvedPath`; a collision is retried by the caller.
std::string HiddenName(const std::string& resolvedPath) {
    static unsigned counter = 0;
    const unsigned long stamp = (unsigned long)time(nullptr) ^ ((unsigned long)getpid() << 16);
    return FolderPrefix(resolvedPath) + "." + BaseName(resolvedPath) + "." + std::to_string(stamp) +
           "-" + std::to_string(++counter);
}

// Creates the temporary file of `file` and returns its descriptor for writing.
int CreateTemporary(FinishedFile& file) {
    int descriptor = OpenUnnamed(FolderOf(file.resolvedPath));
    if (descriptor < 0 && NeedsNamedFallback(errno)) {
        std::string pattern =
            FolderPrefix(file.resolvedPath) + "." + BaseName(file.resolvedPath) + ".XXXXXX";
        descriptor = mkostemp(pattern.data(), O_CLOEXEC);
        if (descriptor >= 0) {
            file.temporaryPath = pattern;
        }
    }
    if (descriptor < 0) {
        ThrowWriteError(file.targetPath, errno);
    }
    if (file.temporaryPath.empty()) {
        file.descriptor = dup(descriptor);
        if (file.descriptor < 0) {
            const int error = errno;
            close(descriptor);
            ThrowWriteError(file.targetPath, error);
        }
    }
    return descriptor;
}

// Gives an unnamed file a hidden name beside its target.
int NameUnnamed(FinishedFile& file) {
    const std::string source = "/proc/self/fd/" + std::to_string(file.descriptor);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = HiddenName(file.resolvedPath);
        if (linkat(AT_FDCWD, source.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            file.temporaryPath = name;
            close(file.descriptor);
            file.descriptor = -1;
            return 0;
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
    return EEXIST;
}

// The target must still be what it was checked to be: a regular file or
// nothing (not a link or a folder put there meanwhile).
int CheckStillReplaceable(const FinishedFile& file) {
    struct stat status;
    if (lstat(file.resolvedPath.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        return S_ISDIR(status.st_mode) ? EISDIR : EEXIST;
    }
    return 0;
}

// Makes the rename itself durable; a failure here loses nothing already
// written, so it is not reported.
void SyncFolder(const std::string& resolvedPath) {
    const int descriptor = open(FolderOf(resolvedPath).c_str(), O_RDONLY | O_DIRECTORY);
    if (descriptor >= 0) {
        fsync(descriptor);
        close(descriptor);
    }
}

void DiscardAll(std::vector<FinishedFile>& files, size_t from) {
    for (size_t index = from; index < files.size(); ++index) {
        atomicfile::Discard(files[index]);
    }
}

// Holds the signals a user sends while the renames run, so that an interrupt
// cannot let one output in place and not the other; they arrive afterwards.
class HeldSignals {
public:
    HeldSignals() {
        sigset_t all;
        sigfillset(&all);
        sigprocmask(SIG_BLOCK, &all, &saved);
    }
    ~HeldSignals() { sigprocmask(SIG_SETMASK, &saved, nullptr); }
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

private:
    sigset_t saved;
};

}  // namespace

void CheckReplaceable(const std::string& targetPath) {
    FinishedFile probe;
    probe.targetPath = targetPath;
    probe.resolvedPath = ResolveTarget(targetPath);
    CheckWritable(targetPath, probe.resolvedPath);
    const int descriptor = CreateTemporary(probe);
    close(descriptor);
    atomicfile::Discard(probe);
}

namespace atomicfile {

void Discard(FinishedFile& file) {
    if (file.descriptor >= 0) {
        close(file.descriptor);
        file.descriptor = -1;
    }
    if (!file.temporaryPath.empty()) {
        unlink(file.temporaryPath.c_str());
        file.temporaryPath.clear();
    }
}

void PutInPlace(std::vector<FinishedFile>& files) {
    for (size_t index = 0; index < files.size(); ++index) {
        FinishedFile& file = files[index];
        int error = CheckStillReplaceable(file);
        if (error == 0 && file.descriptor >= 0) {
            error = NameUnnamed(file);
        }
        if (error != 0) {
            DiscardAll(files, 0);
            ThrowWriteError(file.targetPath, error);
        }
    }
    HeldSignals held;
    for (size_t index = 0; index < files.size(); ++index) {
        FinishedFile& file = files[index];
        if (rename(file.temporaryPath.c_str(), file.resolvedPath.c_str()) != 0) {
            const int error = errno;
            DiscardAll(files, index);
            ThrowWriteError(file.targetPath, error);
        }
        file.temporaryPath.clear();
        SyncFolder(file.resolvedPath);
    }
}

}  // namespace atomicfile

AtomicFile::AtomicFile(const std::string& targetPath) {
    file_.targetPath = targetPath;
    file_.resolvedPath = ResolveTarget(targetPath);
    CheckWritable(targetPath, file_.resolvedPath);
    const int descriptor = CreateTemporary(file_);
    if (fchmod(descriptor, PermissionsForTarget(file_.resolvedPath)) != 0) {
        const int error = errno;
        close(descriptor);
        atomicfile::Discard(file_);
        ThrowWriteError(targetPath, error);
    }
    stream_ = fdopen(descriptor, "wb");
    if (stream_ == nullptr) {
        const int error = errno;
        close(descriptor);
        atomicfile::Discard(file_);
        ThrowWriteError(targetPath, error);
    }
}

AtomicFile::~AtomicFile() {
    if (stream_ != nullptr) {
        fclose(stream_);
    }
    atomicfile::Discard(file_);
}

void AtomicFile::Commit() {
    if (stream_ == nullptr) {
        throw HostError("cannot write '" + file_.targetPath + "': the file was already committed");
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
    if (error != 0) {
        atomicfile::Discard(file_);
        ThrowWriteError(file_.targetPath, error);
    }
    HandOn();
}

}  // namespace oxhost
