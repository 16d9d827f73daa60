/* "ADM Tracker Suite" version 1: the event a track callback is given. The
   order of the entries is this system's own; no published layout is
   followed. */
#ifndef HOSTAPI_ADMTRACKERSUITE_H
#define HOSTAPI_ADMTRACKERSUITE_H

#include "ADMTypes.h"

#define kADMTrackerSuiteName "ADM Tracker Suite"
#define kADMTrackerSuiteVersion 1

#include "RecordPackingBegin.h"

typedef struct ADMTrackerSuite {
    /* The event's action code; kADMButtonUpAction (-2) when the mouse button
       was released. */
    int32_t(HOSTAPI_CALL* GetAction)(ADMTrackerRef tracker);
    /* Where the event happened, in the item's (or dialog's) local pixels. */
    void(HOSTAPI_CALL* GetPoint)(ADMTrackerRef tracker, int32_t* x, int32_t* y);
} ADMTrackerSuite;

#include "RecordPackingEnd.h"

#endif
