/* "ADM List Suite" version 1: the entries of a list item (a popup's menu).
   35 slots, in the order hosts lay them out (the number before each is its
   slot). */
#ifndef HOSTAPI_ADMLISTSUITE_H
#define HOSTAPI_ADMLISTSUITE_H

#include "ADMTypes.h"

#define kADMListSuiteName "ADM List Suite"
#define kADMListSuiteVersion 1

#include "RecordPackingBegin.h"

typedef struct ADMListSuite {
    ADMUnusedSlot SetMenuID;                                                /* 0 */
    ADMUnusedSlot GetMenuID;                                                /* 1 */
    ADMItemRef(HOSTAPI_CALL* GetItem)(ADMListRef list);                     /* 2: the list's item */
    void(HOSTAPI_CALL* SetUserData)(ADMListRef list, ADMUserData userData); /* 3 */
    ADMUserData(HOSTAPI_CALL* GetUserData)(ADMListRef list);                /* 4 */
    /* 5-14: callbacks of the entries. */
    ADMUnusedSlot SetInitProc;      /* 5 */
    ADMUnusedSlot GetInitProc;      /* 6 */
    ADMUnusedSlot SetDrawProc;      /* 7 */
    ADMUnusedSlot GetDrawProc;      /* 8 */
    ADMUnusedSlot SetTrackProc;     /* 9 */
    ADMUnusedSlot GetTrackProc;     /* 10 */
    ADMUnusedSlot SetNotifyProc;    /* 11 */
    ADMUnusedSlot GetNotifyProc;    /* 12 */
    ADMUnusedSlot SetDestroyProc;   /* 13 */
    ADMUnusedSlot GetDestroyProc;   /* 14 */
    ADMUnusedSlot SetEntryWidth;    /* 15 */
    ADMUnusedSlot GetEntryWidth;    /* 16 */
    ADMUnusedSlot SetEntryHeight;   /* 17 */
    ADMUnusedSlot GetEntryHeight;   /* 18 */
    ADMUnusedSlot SetEntryTextRect; /* 19 */
    ADMUnusedSlot GetEntryTextRect; /* 20 */
    /* 21: Inserts a new entry before position index (an index at or past the
       end appends) and returns it; null for a negative index. */
    ADMEntryRef(HOSTAPI_CALL* InsertEntry)(ADMListRef list, int32_t index);
    /* 22: Removes the entry at position index. */
    void(HOSTAPI_CALL* RemoveEntry)(ADMListRef list, int32_t index);
    /* 23: The entry whose id (Entry suite SetID) is entryID, or null. */
    ADMEntryRef(HOSTAPI_CALL* GetEntry)(ADMListRef list, int32_t entryID);
    /* 24: The entry at position index, or null. */
    ADMEntryRef(HOSTAPI_CALL* IndexEntry)(ADMListRef list, int32_t index);
    ADMUnusedSlot FindEntry; /* 25 */
    ADMUnusedSlot PickEntry; /* 26 */
    /* 27: The entry the popup shows, or null when none is active. */
    ADMEntryRef(HOSTAPI_CALL* GetActiveEntry)(ADMListRef list);
    ADMUnusedSlot IndexSelectedEntry;                        /* 28 */
    int32_t(HOSTAPI_CALL* NumberOfEntries)(ADMListRef list); /* 29 */
    ADMUnusedSlot NumberOfSelectedEntries;                   /* 30 */
    ADMUnusedSlot SetMask;                                   /* 31 */
    ADMUnusedSlot GetMask;                                   /* 32 */
    ADMUnusedSlot SetNotifierData;                           /* 33 */
    ADMUnusedSlot GetNotifierData;                           /* 34 */
} ADMListSuite;

#include "RecordPackingEnd.h"

#endif
