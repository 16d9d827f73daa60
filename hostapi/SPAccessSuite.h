/* "SP Access Suite" version 3: where a plug-in's code and resources live.
   12 slots, in the order hosts lay them out (the number before each is its
   slot); the plug-ins call slots 2 and 6 only. */
#ifndef HOSTAPI_SPACCESSSUITE_H
#define HOSTAPI_SPACCESSSUITE_H

#include "SPBasic.h"

#define kSPAccessSuiteName "SP Access Suite"
#define kSPAccessSuiteVersion 3

typedef struct SPAccessOpaque* SPAccessRef; /* the host's access record of one plug-in */

/* A slot whose arguments and result are not declared here because no
   plug-in of ours calls it. Never call one through this type. */
typedef void(HOSTAPI_CALL* SPAccessUnusedSlot)(void);

#include "RecordPackingBegin.h"

/* The platform's view of a plug-in module; 12 bytes on 32-bit Windows. */
typedef struct SPPlatformAccessInfo {
    void* defaultAccess;      /* the module's own handle */
    void* resourceAccess;     /* the module to load resources from; null: use defaultAccess */
    uint32_t lastAccessTicks; /* when the host last used the module, in its own ticks */
} SPPlatformAccessInfo;

typedef struct SPAccessSuite {
    SPAccessUnusedSlot AcquirePlugin; /* 0 */
    SPAccessUnusedSlot ReleasePlugin; /* 1 */
    /* 2: Fills *access for the plug-in reference the host passed
       (plugInRef). kSPBadParameterError for a null or unknown reference or
       a null address. */
    SPErr(HOSTAPI_CALL* GetPluginAccess)(void* plugin, SPAccessRef* access);
    SPAccessUnusedSlot GetAccessPlugin; /* 3 */
    SPAccessUnusedSlot GetAccessEntry;  /* 4 */
    SPAccessUnusedSlot GetAccessCount;  /* 5 */
    /* 6: Fills *info for the access record. kSPBadParameterError for an
       unknown record or a null address; *info is then untouched. */
    SPErr(HOSTAPI_CALL* GetAccessInfo)(SPAccessRef access, SPPlatformAccessInfo* info);
    SPAccessUnusedSlot GetPluginResourceAccess; /* 7 */
    SPAccessUnusedSlot SetPluginResourceAccess; /* 8 */
    SPAccessUnusedSlot CallPlugin;              /* 9 */
    SPAccessUnusedSlot GetCurrentPlugin;        /* 10 */
    SPAccessUnusedSlot SetCurrentPlugin;        /* 11 */
} SPAccessSuite;

#include "RecordPackingEnd.h"

#endif
