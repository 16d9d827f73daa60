/* "ADM Tracker Suite" version 1: the event a track callback is given. 11
   slots, in the order hosts lay them out (the number before each is its
   slot). */
#ifndef HOSTAPI_ADMTRACKERSUITE_H
#define HOSTAPI_ADMTRACKERSUITE_H

#include "ADMTypes.h"

#define kADMTrackerSuiteName "ADM Tracker Suite"
#define kADMTrackerSuiteVersion 1

#include "RecordPackingBegin.h"

typedef struct ADMTrackerSuite {
    /* 0: Where the event happened, in the item's (or dialog's) local pixels. */
    void(HOSTAPI_CALL* GetPoint)(ADMTrackerRef tracker, ADMPoint* point);
    /* 1: The event's action code (kADM...Action); kADMButtonUpAction when
       the mouse button was released. */
    int32_t(HOSTAPI_CALL* GetAction)(ADMTrackerRef tracker);
    ADMUnusedSlot GetModifiers;        /* 2 */
    ADMUnusedSlot TestAction;          /* 3 */
    ADMUnusedSlot TestModifier;        /* 4 */
    ADMUnusedSlot GetTime;             /* 5 */
    ADMUnusedSlot Abort;               /* 6 */
    ADMUnusedSlot GetMouseState;       /* 7 */
    ADMUnusedSlot ReleaseMouseCapture; /* 8 */
    ADMUnusedSlot GetVirtualKey;       /* 9 */
    ADMUnusedSlot GetCharacter;        /* 10 */
} ADMTrackerSuite;

#include "RecordPackingEnd.h"

#endif
