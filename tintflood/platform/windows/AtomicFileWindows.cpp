// A temporary file beside the target, flushed, then moved over it in one
// step (MoveFileEx replaces an existing file).
#include <windows.h>

#include <algorithm>

#include "AtomicFile.h"

namespace {

// Owns a file handle until the end of the scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        const bool closed = !IsOpen() || CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

bool WriteAll(HANDLE file, const std::string& content) {
    size_t written = 0;
    while (written < content.size()) {
        DWORD count = 0;
        const DWORD chunk = DWORD(std::min<size_t>(content.size() - written, 1u << 20));
        if (!WriteFile(file, content.data() + written, chunk, &count, nullptr) || count == 0) {
            return false;
        }
        written += count;
    }
    return true;
}

}  // namespace

bool ReplaceFileAtomically(const std::string& path, const std::string& content) {
    const std::string temporaryPath = path + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
    FileHandle file(CreateFileA(temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        return false;
    }
    const bool complete = WriteAll(file.Get(), content) && FlushFileBuffers(file.Get());
    const bool closed = file.Close();
    if (!complete || !closed ||
        !MoveFileExA(temporaryPath.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporaryPath.c_str());
        return false;
    }
    return true;
}
