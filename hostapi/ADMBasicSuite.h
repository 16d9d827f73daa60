/* "ADM Basic Suite" version 5: toolkit-wide services. Tintflood acquires it
   with the other toolkit suites but calls none of its 36 slots, so they are
   declared only to give the table its size. */
#ifndef HOSTAPI_ADMBASICSUITE_H
#define HOSTAPI_ADMBASICSUITE_H

#include "ADMTypes.h"

#define kADMBasicSuiteName "ADM Basic Suite"
#define kADMBasicSuiteVersion 5

#include "RecordPackingBegin.h"

typedef struct ADMBasicSuite {
    ADMUnusedSlot slots[36];
} ADMBasicSuite;

#include "RecordPackingEnd.h"

#endif
