// The host suites Tintflood's options dialog works through, acquired at the
// start of every parameters request and read by the dialog classes.
#pragma once

#include "ADMBasicSuite.h"
#include "ADMDialogSuite.h"
#include "ADMDrawerSuite.h"
#include "ADMEntrySuite.h"
#include "ADMItemSuite.h"
#include "ADMListSuite.h"
#include "ADMNotifierSuite.h"
#include "ADMTrackerSuite.h"
#include "GetFileListSuite.h"

struct DialogSuiteSet {
    const ADMBasicSuite* basic = nullptr;
    const ADMDialogSuite* dialog = nullptr;
    const ADMEntrySuite* entry = nullptr;
    const ADMListSuite* list = nullptr;
    const ADMItemSuite* item = nullptr;
    const ADMDrawerSuite* drawer = nullptr;
    const ADMNotifierSuite* notifier = nullptr;
    const ADMTrackerSuite* tracker = nullptr;
    const GetFileListSuite* fileList = nullptr;
};

// Null pointers until AcquireDialogSuites succeeds, and again after
// ReleaseDialogSuites.
extern DialogSuiteSet DialogSuites;

// Acquires the nine suites in a fixed order (toolkit Basic, Dialog, Entry,
// List, Item, Drawer, Notifier, Tracker, then the file-list suite), stopping
// at the first the host refuses. True when all nine were acquired; on false
// the ones acquired before are released again and every pointer is null.
bool AcquireDialogSuites();

// Releases what AcquireDialogSuites acquired and nulls the pointers.
void ReleaseDialogSuites();

// Holds the dialog suites for one scope: acquired on construction, released
// at its end.
class DialogSuitesLease {
public:
    DialogSuitesLease() : acquired(AcquireDialogSuites()) {}
    ~DialogSuitesLease() {
        if (acquired) {
            ReleaseDialogSuites();
        }
    }
    DialogSuitesLease(const DialogSuitesLease&) = delete;
    DialogSuitesLease& operator=(const DialogSuitesLease&) = delete;

    bool Acquired() const { return acquired; }

private:
    bool acquired;
};
