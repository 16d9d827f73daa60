// Replaces a file so that it holds either its old content or the complete new
// one, never a partial write; and replaces only regular files.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace oxhost {

// A finished temporary file waiting to replace its target. On Linux it has no
// name until it is put in place (O_TMPFILE), so a killed process leaves
// nothing behind; where the file system cannot do that, and on Windows, it
// is a hidden file beside the target.
struct FinishedFile {
    std::string targetPath;     // as the caller named it, for messages
    std::string resolvedPath;   // the regular file replaced (a link's target)
    int descriptor = -1;        // the unnamed file, or -1
    std::string temporaryPath;  // the named temporary file, or ""
};

// Throws HostError, one line naming `targetPath`, unless it can be replaced:
// it is absent or a regular file the user may write (a symbolic link counts
// as the file it names), and its folder takes a new file. Devices, FIFOs,
// folders and links to them or to nothing are refused. Leaves no trace.
void CheckReplaceable(const std::string& targetPath);

// Writes go to a temporary file in the target's folder; Commit puts it in
// place of the target (of the file a symbolic link names: the link stays).
// If Commit is never reached or fails, the temporary file is removed and the
// target keeps its old content (or stays absent).
class AtomicFile {
public:
    // Creates the temporary file. Throws HostError when the target is not a
    // regular file or the folder does not allow it (see CheckReplaceable).
    explicit AtomicFile(const std::string& targetPath);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // The stream of the temporary file; valid until Commit.
    FILE* Stream() const { return stream_; }
    const std::string& TargetPath() const { return file_.targetPath; }

    // Flushes and syncs the temporary file and puts it in place; while an
    // AtomicCommitGroup is alive the group puts it in place later instead.
    // Throws HostError on failure; the target is then untouched.
    void Commit();

private:
    // After a successful flush and close: to the active group, or in place.
    void HandOn();

    FinishedFile file_;
    FILE* stream_ = nullptr;
};

// Files committed while a group is alive wait for the group: its Commit puts
// them all in place, and a group destroyed without Commit discards them, so
// that several outputs of one run appear together or not at all. One group
// at a time; it must outlive no thread of its own.
class AtomicCommitGroup {
public:
    AtomicCommitGroup();
    ~AtomicCommitGroup();
    AtomicCommitGroup(const AtomicCommitGroup&) = delete;
    AtomicCommitGroup& operator=(const AtomicCommitGroup&) = delete;

    // Puts every waiting file in place: first each gets a name beside its
    // target (where a failure still leaves every target untouched), then all
    // are renamed over their targets with signals held. Throws HostError
    // naming the file that could not be placed.
    void Commit();

    // The group committed files go to, or null.
    static AtomicCommitGroup* Active();
    void Adopt(FinishedFile file) { waiting.push_back(std::move(file)); }

private:
    std::vector<FinishedFile> waiting;
    AtomicCommitGroup* previous;
};

// Platform operations, AtomicFileLinux.cpp and AtomicFileWindows.cpp.
namespace atomicfile {
// Puts the files in place as AtomicCommitGroup::Commit describes; on failure
// discards those not yet in place and throws.
void PutInPlace(std::vector<FinishedFile>& files);
// Closes and removes a temporary file that will not be used.
void Discard(FinishedFile& file);
}  // namespace atomicfile

}  // namespace oxhost
