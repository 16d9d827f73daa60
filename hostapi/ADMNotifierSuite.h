/* "ADM Notifier Suite" version 2: what a notification is about. The order of
   the entries is this system's own; no published layout is followed. */
#ifndef HOSTAPI_ADMNOTIFIERSUITE_H
#define HOSTAPI_ADMNOTIFIERSUITE_H

#include "ADMTypes.h"

#define kADMNotifierSuiteName "ADM Notifier Suite"
#define kADMNotifierSuiteVersion 2

#include "RecordPackingBegin.h"

typedef struct ADMNotifierSuite {
    /* The item the notification is about; null for one about the dialog itself. */
    ADMItemRef(HOSTAPI_CALL* GetItem)(ADMNotifierRef notifier);
    /* The dialog of the notification. */
    ADMDialogRef(HOSTAPI_CALL* GetDialog)(ADMNotifierRef notifier);
    /* True when the notification's type is the named one (kADM...Notifier). */
    ADMBoolean(HOSTAPI_CALL* IsNotifierType)(ADMNotifierRef notifier, const char* type);
    /* Copies the type name, cut to maxLength - 1 characters and terminated. */
    void(HOSTAPI_CALL* GetNotifierType)(ADMNotifierRef notifier, char* type, int32_t maxLength);
} ADMNotifierSuite;

#include "RecordPackingEnd.h"

#endif
