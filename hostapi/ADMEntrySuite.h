/* "ADM Entry Suite" version 2: one entry of a list (a popup's menu line).
   44 slots, in the order hosts lay them out (the number before each is its
   slot). */
#ifndef HOSTAPI_ADMENTRYSUITE_H
#define HOSTAPI_ADMENTRYSUITE_H

#include "ADMTypes.h"

#define kADMEntrySuiteName "ADM Entry Suite"
#define kADMEntrySuiteVersion 2

#include "RecordPackingBegin.h"

typedef struct ADMEntrySuite {
    ADMUnusedSlot Create;        /* 0 */
    ADMUnusedSlot Destroy;       /* 1 */
    ADMUnusedSlot DefaultDraw;   /* 2 */
    ADMUnusedSlot DefaultTrack;  /* 3 */
    ADMUnusedSlot DefaultNotify; /* 4 */
    ADMUnusedSlot SendNotify;    /* 5 */
    /* 6: The entry's position in its list. */
    int32_t(HOSTAPI_CALL* GetIndex)(ADMEntryRef entry);
    ADMListRef(HOSTAPI_CALL* GetList)(ADMEntryRef entry); /* 7 */
    /* 8-9: The plug-in's id of the entry (0 until set). */
    void(HOSTAPI_CALL* SetID)(ADMEntryRef entry, int32_t entryID);
    int32_t(HOSTAPI_CALL* GetID)(ADMEntryRef entry);
    /* 10-11: The plug-in's pointer kept with the entry. */
    void(HOSTAPI_CALL* SetUserData)(ADMEntryRef entry, ADMUserData userData);
    ADMUserData(HOSTAPI_CALL* GetUserData)(ADMEntryRef entry);
    /* 12-13: Selecting an entry of a popup makes it the active one, which
       the popup shows; deselecting the active entry leaves the popup
       without one. */
    void(HOSTAPI_CALL* Select)(ADMEntryRef entry, ADMBoolean select);
    ADMBoolean(HOSTAPI_CALL* IsSelected)(ADMEntryRef entry);
    ADMUnusedSlot MakeInBounds; /* 14 */
    ADMUnusedSlot IsInBounds;   /* 15 */
    /* 16-23: Enabling, activation, check mark and separator flags. */
    void(HOSTAPI_CALL* Enable)(ADMEntryRef entry, ADMBoolean enable);
    ADMBoolean(HOSTAPI_CALL* IsEnabled)(ADMEntryRef entry);
    void(HOSTAPI_CALL* Activate)(ADMEntryRef entry, ADMBoolean activate);
    ADMBoolean(HOSTAPI_CALL* IsActive)(ADMEntryRef entry);
    void(HOSTAPI_CALL* Check)(ADMEntryRef entry, ADMBoolean check);
    ADMBoolean(HOSTAPI_CALL* IsChecked)(ADMEntryRef entry);
    void(HOSTAPI_CALL* MakeSeparator)(ADMEntryRef entry, ADMBoolean separator);
    ADMBoolean(HOSTAPI_CALL* IsSeparator)(ADMEntryRef entry);
    void(HOSTAPI_CALL* GetLocalRect)(ADMEntryRef entry, ADMRect* rect);    /* 24 */
    void(HOSTAPI_CALL* GetBoundsRect)(ADMEntryRef entry, ADMRect* bounds); /* 25 */
    /* 26-29: point and rectangle conversions between local and screen. */
    ADMUnusedSlot coordinateConversions[4];
    void(HOSTAPI_CALL* Invalidate)(ADMEntryRef entry); /* 30 */
    ADMUnusedSlot InvalidateRect;                      /* 31 */
    void(HOSTAPI_CALL* Update)(ADMEntryRef entry);     /* 32 */
    ADMUnusedSlot SetPictureID;                        /* 33 */
    ADMUnusedSlot GetPictureID;                        /* 34 */
    ADMUnusedSlot SetSelectedPictureID;                /* 35 */
    ADMUnusedSlot GetSelectedPictureID;                /* 36 */
    ADMUnusedSlot SetDisabledPictureID;                /* 37 */
    ADMUnusedSlot GetDisabledPictureID;                /* 38 */
    /* 39-41: Text shown; the toolkit keeps its own copy. GetText copies it
       cut to maxLength - 1 characters and terminated. */
    void(HOSTAPI_CALL* SetText)(ADMEntryRef entry, const char* text);
    void(HOSTAPI_CALL* GetText)(ADMEntryRef entry, char* text, int32_t maxLength);
    int32_t(HOSTAPI_CALL* GetTextLength)(ADMEntryRef entry);
    ADMUnusedSlot CreateTimer; /* 42 */
    ADMUnusedSlot AbortTimer;  /* 43 */
} ADMEntrySuite;

#include "RecordPackingEnd.h"

#endif
