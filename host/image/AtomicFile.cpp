// The platform-independent part of AtomicFile: the commit group.
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

void AtomicCommitGroup::Commit() {
    // Files committed from here on go straight into place.
    activeGroup = previous;
    std::vector<FinishedFile> files = std::move(waiting);
    waiting.clear();
    atomicfile::PutInPlace(files);
}

}  // namespace oxhost
