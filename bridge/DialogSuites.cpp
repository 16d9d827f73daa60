#include "DialogSuites.h"

#include "PluginGlobals.h"

DialogSuiteSet DialogSuites;

namespace {

struct SuiteSlot {
    const char* name;
    int32_t version;
    const void** pointer;
};

// The order in which the suites are acquired (and released in reverse).
constexpr int kSuiteCount = 9;

void Slots(SuiteSlot (&slots)[kSuiteCount]) {
    DialogSuiteSet& s = DialogSuites;
    const SuiteSlot all[kSuiteCount] = {
        {kADMBasicSuiteName, kADMBasicSuiteVersion, reinterpret_cast<const void**>(&s.basic)},
        {kADMDialogSuiteName, kADMDialogSuiteVersion, reinterpret_cast<const void**>(&s.dialog)},
        {kADMEntrySuiteName, kADMEntrySuiteVersion, reinterpret_cast<const void**>(&s.entry)},
        {kADMListSuiteName, kADMListSuiteVersion, reinterpret_cast<const void**>(&s.list)},
        {kADMItemSuiteName, kADMItemSuiteVersion, reinterpret_cast<const void**>(&s.item)},
        {kADMDrawerSuiteName, kADMDrawerSuiteVersion, reinterpret_cast<const void**>(&s.drawer)},
        {kADMNotifierSuiteName, kADMNotifierSuiteVersion,
         reinterpret_cast<const void**>(&s.notifier)},
        {kADMTrackerSuiteName, kADMTrackerSuiteVersion, reinterpret_cast<const void**>(&s.tracker)},
        {kGetFileListSuiteName, kGetFileListSuiteVersion,
         reinterpret_cast<const void**>(&s.fileList)}};
    for (int i = 0; i < kSuiteCount; ++i) {
        slots[i] = all[i];
    }
}

// How many suites of the order are held, and from which mechanism.
int acquiredCount = 0;
SPBasicSuite* acquiredFrom = nullptr;

}  // namespace

bool AcquireDialogSuites() {
    ReleaseDialogSuites();
    if (basicSuite == nullptr || basicSuite->AcquireSuite == nullptr) {
        return false;
    }
    SuiteSlot slots[kSuiteCount];
    Slots(slots);
    acquiredFrom = basicSuite;
    for (const SuiteSlot& slot : slots) {
        const void* suite = nullptr;
        // Every bit of the result counts: a failure code whose low half is
        // zero is still a failure.
        if (basicSuite->AcquireSuite(slot.name, slot.version, &suite) != kSPNoError) {
            ReleaseDialogSuites();
            return false;
        }
        *slot.pointer = suite;
        ++acquiredCount;
    }
    return true;
}

void ReleaseDialogSuites() {
    SuiteSlot slots[kSuiteCount];
    Slots(slots);
    for (int i = acquiredCount - 1; i >= 0; --i) {
        if (acquiredFrom != nullptr && acquiredFrom->ReleaseSuite != nullptr) {
            acquiredFrom->ReleaseSuite(slots[i].name, slots[i].version);
        }
    }
    acquiredCount = 0;
    acquiredFrom = nullptr;
    DialogSuites = DialogSuiteSet();
}
