/* "ADM Entry Suite" version 2: one entry of a list (a popup's menu line).
   The order of the entries is this system's own; no published layout is
   followed. */
#ifndef HOSTAPI_ADMENTRYSUITE_H
#define HOSTAPI_ADMENTRYSUITE_H

#include "ADMTypes.h"

#define kADMEntrySuiteName "ADM Entry Suite"
#define kADMEntrySuiteVersion 2

#include "RecordPackingBegin.h"

typedef struct ADMEntrySuite {
    /* Sets the plug-in's id of the entry (0 until set). */
    void(HOSTAPI_CALL* SetID)(ADMEntryRef entry, int32_t entryID);
    int32_t(HOSTAPI_CALL* GetID)(ADMEntryRef entry);
    /* Sets the text shown; the toolkit keeps its own copy. */
    void(HOSTAPI_CALL* SetText)(ADMEntryRef entry, const char* text);
    /* Copies the text, cut to maxLength - 1 characters and terminated. */
    void(HOSTAPI_CALL* GetText)(ADMEntryRef entry, char* text, int32_t maxLength);
    /* Selecting an entry of a popup makes it the active one, which the popup
       shows; deselecting the active entry leaves the popup without one. */
    void(HOSTAPI_CALL* Select)(ADMEntryRef entry, ADMBoolean select);
    ADMBoolean(HOSTAPI_CALL* IsSelected)(ADMEntryRef entry);
} ADMEntrySuite;

#include "RecordPackingEnd.h"

#endif
