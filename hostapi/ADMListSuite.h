/* "ADM List Suite" version 1: the entries of a list item. The order of the
   entries is this system's own; no published layout is followed. */
#ifndef HOSTAPI_ADMLISTSUITE_H
#define HOSTAPI_ADMLISTSUITE_H

#include "ADMTypes.h"

#define kADMListSuiteName "ADM List Suite"
#define kADMListSuiteVersion 1

#include "RecordPackingBegin.h"

typedef struct ADMListSuite {
    /* Inserts a new entry before position index (index at or past the end
       appends) and returns it; null for a negative index. */
    ADMEntryRef(HOSTAPI_CALL* InsertEntry)(ADMListRef list, int32_t index);
    /* The entry at position index, or null. */
    ADMEntryRef(HOSTAPI_CALL* IndexEntry)(ADMListRef list, int32_t index);
    int32_t(HOSTAPI_CALL* NumberOfEntries)(ADMListRef list);
    /* The entry the popup shows, or null when none is active. */
    ADMEntryRef(HOSTAPI_CALL* GetActiveEntry)(ADMListRef list);
} ADMListSuite;

#include "RecordPackingEnd.h"

#endif
