// Replaces a file so that it holds either its old content or the complete new
// one, never a partial write.
#pragma once

#include <cstdio>
#include <string>

namespace oxhost {

// Writes go to a temporary file in the target's folder; Commit renames it over
// the target. If Commit is never reached or fails, the temporary file is
// removed and the target keeps its old content (or stays absent).
class AtomicFile {
public:
    // Creates the temporary file. Throws HostError when the folder does not
    // allow it.
    explicit AtomicFile(const std::string& targetPath);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // The stream of the temporary file; valid until Commit.
    FILE* Stream() const { return stream_; }
    const std::string& TargetPath() const { return targetPath_; }

    // Flushes and syncs the temporary file and renames it over the target.
    // Throws HostError on failure; the target is then untouched.
    void Commit();

private:
    void RemoveTemporary();

    std::string targetPath_;
    std::string resolvedTargetPath_;  // the file a symbolic link target points at (Linux)
    std::string temporaryPath_;       // empty once renamed or removed
    FILE* stream_ = nullptr;
};

}  // namespace oxhost
