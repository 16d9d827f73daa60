/* "ADM Notifier Suite" version 2: what a notification is about. 5 slots,
   in the order hosts lay them out (the number before each is its slot). */
#ifndef HOSTAPI_ADMNOTIFIERSUITE_H
#define HOSTAPI_ADMNOTIFIERSUITE_H

#include "ADMTypes.h"

#define kADMNotifierSuiteName "ADM Notifier Suite"
#define kADMNotifierSuiteVersion 2

#include "RecordPackingBegin.h"

typedef struct ADMNotifierSuite {
    /* 0: The item the notification is about; null for one about the dialog
       itself. */
    ADMItemRef(HOSTAPI_CALL* GetItem)(ADMNotifierRef notifier);
    /* 1: The dialog of the notification. */
    ADMDialogRef(HOSTAPI_CALL* GetDialog)(ADMNotifierRef notifier);
    /* 2: True when the notification's type is the named one (kADM...Notifier). */
    ADMBoolean(HOSTAPI_CALL* IsNotifierType)(ADMNotifierRef notifier, const char* type);
    /* 3: Copies the type name, cut to maxLength - 1 characters and terminated. */
    void(HOSTAPI_CALL* GetNotifierType)(ADMNotifierRef notifier, char* type, uint32_t maxLength);
    ADMUnusedSlot SkipNextClipboardOperation; /* 4 */
} ADMNotifierSuite;

#include "RecordPackingEnd.h"

#endif
