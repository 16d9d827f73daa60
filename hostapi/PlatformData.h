/* Platform data handed to a plug-in: the window that owns its dialogs. */
#ifndef HOSTAPI_PLATFORMDATA_H
#define HOSTAPI_PLATFORMDATA_H

#include "HostTypes.h"

#include "RecordPackingBegin.h"

typedef struct PlatformData {
    intptr_t hwnd; /* the host's main window, or 0 */
} PlatformData;

#include "RecordPackingEnd.h"

#endif
