/* Memory handles served by the host. */
#ifndef HOSTAPI_HANDLEPROCS_H
#define HOSTAPI_HANDLEPROCS_H

#include "HostTypes.h"

enum { kCurrentHandleProcsVersion = 1, kCurrentHandleProcsCount = 8 };

/* Returns a new zero-filled handle of the size, or null when out of memory. */
typedef Handle(HOSTAPI_CALL* NewPIHandleProc)(int32_t size);
/* Frees the handle; a null handle is ignored. */
typedef void(HOSTAPI_CALL* DisposePIHandleProc)(Handle h);
/* Returns the data size in bytes, 0 for a null handle. */
typedef int32_t(HOSTAPI_CALL* GetPIHandleSizeProc)(Handle h);
/* Resizes, keeping the data; noErr, memFullErr or nilHandleErr. */
typedef OSErr(HOSTAPI_CALL* SetPIHandleSizeProc)(Handle h, int32_t newSize);
/* Returns the data address, stable until the matching unlock. */
typedef void*(HOSTAPI_CALL* LockPIHandleProc)(Handle h, Boolean moveHigh);
typedef void(HOSTAPI_CALL* UnlockPIHandleProc)(Handle h);
/* Asks the host to free caches until the size is available. */
typedef void(HOSTAPI_CALL* RecoverSpaceProc)(int32_t size);
/* Frees a handle that the platform itself allocated. */
typedef void(HOSTAPI_CALL* DisposeRegularHandleProc)(Handle h);

#include "RecordPackingBegin.h"

typedef struct HandleProcs {
    int16_t handleProcsVersion; /* kCurrentHandleProcsVersion */
    int16_t numHandleProcs;     /* number of callbacks that follow */
    NewPIHandleProc newProc;
    DisposePIHandleProc disposeProc;
    GetPIHandleSizeProc getSizeProc;
    SetPIHandleSizeProc setSizeProc;
    LockPIHandleProc lockProc;
    UnlockPIHandleProc unlockProc;
    RecoverSpaceProc recoverSpaceProc;
    DisposeRegularHandleProc disposeRegularHandleProc;
} HandleProcs;

#include "RecordPackingEnd.h"

#endif
