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

}  // namespace

AtomicFile::AtomicFile(const std::string& targetPath)
    : targetPath_(targetPath), resolvedTargetPath_(targetPath) {
    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < kNameAttempts && error == ERROR_FILE_EXISTS; ++attempt) {
        temporaryPath_ = TemporaryName(targetPath, attempt);
        file = CreateFileA(temporaryPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    }
    if (file == INVALID_HANDLE_VALUE) {
        temporaryPath_.clear();
        ThrowWriteError(targetPath_, error);
    }
    const int descriptor = _open_osfhandle(intptr_t(file), _O_BINARY | _O_WRONLY);
    if (descriptor < 0) {
        CloseHandle(file);
        RemoveTemporary();
        ThrowWriteError(targetPath_, ERROR_TOO_MANY_OPEN_FILES);
    }
    stream_ = _fdopen(descriptor, "wb");
    if (stream_ == nullptr) {
        _close(descriptor);
        RemoveTemporary();
        ThrowWriteError(targetPath_, ERROR_TOO_MANY_OPEN_FILES);
    }
}

AtomicFile::~AtomicFile() {
    RemoveTemporary();
}

void AtomicFile::Commit() {
    if (stream_ == nullptr) {
        throw HostError("cannot write '" + targetPath_ + "': the file was already committed");
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
    if (error == ERROR_SUCCESS &&
        !MoveFileExA(temporaryPath_.c_str(), resolvedTargetPath_.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
    }
    if (error != ERROR_SUCCESS) {
        RemoveTemporary();
        ThrowWriteError(targetPath_, error);
    }
    temporaryPath_.clear();
}

void AtomicFile::RemoveTemporary() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    if (!temporaryPath_.empty()) {
        DeleteFileA(temporaryPath_.c_str());
        temporaryPath_.clear();
    }
}

}  // namespace oxhost
