// The platform-independent part of AtomicFile: handing a finished file on,
// and the commit group.
#include "host/image/AtomicFile.h"

namespace oxhost {
namespace {

AtomicCommitGroup* activeGroup = nullptr;

}  // namespace

AtomicCommitGroup::AtomicCommitGroup() : previous(activeGroup) {
    activeGroup = this;
}

AtomicCommitGroup::~AtomicCommitGroup() {
    activeGroup = previous;
    for (FinishedFile& file : waiting) {
        atomicfile::Discard(file);
    }
}

AtomicCommitGroup* AtomicCommitGroup::Active() {
    return activeGroup;
}

void AtomicFile::HandOn() {
    std::vector<FinishedFile> files;
    files.push_back(std::move(file_));
    // The stream is gone and the file handed on: nothing is left to discard.
    file_ = FinishedFile{};
    file_.targetPath = files.front().targetPath;
    if (AtomicCommitGroup* group = AtomicCommitGroup::Active()) {
        group->Adopt(std::move(files.front()));
        return;
    }
    atomicfile::PutInPlace(files);
}

void AtomicCommitGroup::Commit() {
    // Files committed from here on go straight into place.
    activeGroup = previous;
    std::vector<FinishedFile> files = std::move(waiting);
    waiting.clear();
    atomicfile::PutInPlace(files);
}

}  // namespace oxhost
