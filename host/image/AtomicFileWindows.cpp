// On Windows the temporary file is created beside the target under a name
// no other file has (CREATE_NEW), and MoveFileExA replaces the target with
// it in one step, writing through to the disk before it returns.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "host/HostError.h"
#include "host/WindowsErrorText.h"
#include "host/image/AtomicFile.h"

namespace oxhost {
namespace {

// Tries this many names before giving up; collisions need another process
// writing the same target at the same moment.
constexpr int kNameAttempts = 100;

[[noreturn]] void ThrowWriteError(const std::string& targetPath, DWORD error) {
    throw HostError("cannot write '" + targetPath + "': " + WindowsErrorText(error));
}

size_t NameStart(const std::string& path) {
    const size_t separator = path.find_last_of("/\\:");
    return separator == std::string::npos ? 0 : separator + 1;
}

std::string TemporaryName(const std::string& path, int attempt) {
    const size_t nameStart = NameStart(path);
    return path.substr(0, nameStart) + "." + path.substr(nameStart) + "." +
           std::to_string(GetCurrentProcessId()) + "-" + std::to_string(attempt) + ".tmp";
}

// Only regular files are replaced: not folders, and not devices such as NUL.
void CheckRegularOrAbsent(const std::string& targetPath) {
    const DWORD attributes = GetFileAttributesA(targetPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return;  // absent, or unreachable: creating the file will say why
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        throw HostError("cannot write '" + targetPath +
                        "': it is a folder, not a regular file; only regular files are replaced");
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        ThrowWriteError(targetPath, ERROR_ACCESS_DENIED);
    }
    HANDLE handle = CreateFileA(targetPath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        const DWORD type = GetFileType(handle);
        CloseHandle(handle);
        if (type != FILE_TYPE_DISK) {
            throw HostError("cannot write '" + targetPath +
                            "': it is a device, not a regular file; only regular files are "
                            "replaced");
        }
    }
}

HANDLE CreateTemporary(FinishedFile& file) {
    HANDLE handle = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < kNameAttempts && error == ERROR_FILE_EXISTS; ++attempt) {
        file.temporaryPath = TemporaryName(file.resolvedPath, attempt);
        handle = CreateFileA(file.temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        error = handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    }
    if (handle == INVALID_HANDLE_VALUE) {
        file.temporaryPath.clear();
        ThrowWriteError(file.targetPath, error);
    }
    return handle;
}

}  // namespace

void CheckReplaceable(const std::string& targetPath) {
    CheckRegularOrAbsent(targetPath);
    FinishedFile probe;
    probe.targetPath = targetPath;
    probe.resolvedPath = targetPath;
    CloseHandle(CreateTemporary(probe));
    atomicfile::Discard(probe);
}

namespace atomicfile {

void Discard(FinishedFile& file) {
    if (!file.temporaryPath.empty()) {
        DeleteFileA(file.temporaryPath.c_str());
        file.temporaryPath.clear();
    }
}

void PutInPlace(std::vector<FinishedFile>& files) {
    for (size_t index = 0; index < files.size(); ++index) {
        FinishedFile& file = files[index];
        if (!MoveFileExA(file.temporaryPath.c_str(), file.resolvedPath.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            const DWORD error = GetLastError();
            for (size_t rest = index; rest < files.size(); ++rest) {
                Discard(files[rest]);
            }
            ThrowWriteError(file.targetPath, error);
        }
        file.temporaryPath.clear();
    }
}

}  // namespace atomicfile

AtomicFile::AtomicFile(const std::string& targetPath) {
    file_.targetPath = targetPath;
    file_.resolvedPath = targetPath;
    CheckRegularOrAbsent(targetPath);
    HANDLE handle = CreateTemporary(file_);
    const int descriptor = _open_osfhandle(intptr_t(handle), _O_BINARY | _O_WRONLY);
    if (descriptor < 0) {
        CloseHandle(handle);
        atomicfile::Discard(file_);
        ThrowWriteError(targetPath, ERROR_TOO_MANY_OPEN_FILES);
    }
    stream_ = _fdopen(descriptor, "wb");
    if (stream_ == nullptr) {
        _close(descriptor);
        atomicfile::Discard(file_);
        ThrowWriteError(targetPath, ERROR_TOO_MANY_OPEN_FILES);
    }
}

AtomicFile::~AtomicFile() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
    }
    atomicfile::Discard(file_);
}

void AtomicFile::Commit() {
    if (stream_ == nullptr) {
        throw HostError("cannot write '" + file_.targetPath + "': the file was already committed");
    }
    DWORD error = ERROR_SUCCESS;
    if (std::fflush(stream_) != 0 || _commit(_fileno(stream_)) != 0) {
        error = ERROR_WRITE_FAULT;
    }
    FILE* stream = stream_;
    stream_ = nullptr;
    if (std::fclose(stream) != 0 && error == ERROR_SUCCESS) {
        error = ERROR_WRITE_FAULT;
    }
    if (error != ERROR_SUCCESS) {
        atomicfile::Discard(file_);
        ThrowWriteError(file_.targetPath, error);
    }
    HandOn();
}

}  // namespace oxhost
