/* "ADM Basic Suite" version 5: toolkit-wide services. The order of the
   entries is this system's own; no published layout is followed. */
#ifndef HOSTAPI_ADMBASICSUITE_H
#define HOSTAPI_ADMBASICSUITE_H

#include "ADMTypes.h"

#define kADMBasicSuiteName "ADM Basic Suite"
#define kADMBasicSuiteVersion 5

#include "RecordPackingBegin.h"

typedef struct ADMBasicSuite {
    /* Sounds the system alert; may do nothing. */
    void(HOSTAPI_CALL* Beep)(void);
    /* Shows a modal message with an OK button; returns when it is closed. */
    void(HOSTAPI_CALL* MessageAlert)(const char* message);
} ADMBasicSuite;

#include "RecordPackingEnd.h"

#endif
