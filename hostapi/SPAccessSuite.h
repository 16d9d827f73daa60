/* "SP Access Suite" version 3: where a plug-in's code and resources live.
   The order of the entries is this system's own; no published layout is
   followed. */
#ifndef HOSTAPI_SPACCESSSUITE_H
#define HOSTAPI_SPACCESSSUITE_H

#include "SPBasic.h"

#define kSPAccessSuiteName "SP Access Suite"
#define kSPAccessSuiteVersion 3

typedef struct SPAccessOpaque* SPAccessRef; /* the host's access record of one plug-in */

/* The platform's view of a plug-in module: two words. */
typedef struct SPPlatformAccessInfo {
    void* defaultAccess;  /* the module's own handle */
    void* resourceAccess; /* the module to load resources from; null: use defaultAccess */
} SPPlatformAccessInfo;

#include "RecordPackingBegin.h"

typedef struct SPAccessSuite {
    /* Fills *access for the plug-in reference the host passed (plugInRef).
       kSPBadParameterError for a null or unknown reference or a null address. */
    SPErr(HOSTAPI_CALL* GetPluginAccess)(void* plugin, SPAccessRef* access);
    /* Fills *info for the access record. kSPBadParameterError for an unknown
       record or a null address; *info is then untouched. */
    SPErr(HOSTAPI_CALL* GetAccessInfo)(SPAccessRef access, SPPlatformAccessInfo* info);
} SPAccessSuite;

#include "RecordPackingEnd.h"

#endif
