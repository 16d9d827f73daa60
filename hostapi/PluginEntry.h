/* The one function a filter module exports, and what the host calls it with:
   the selector, the parameter block (AboutRecord for about, FilterRecord
   otherwise), a pointer-sized slot the host keeps between the calls of a run,
   and the result code. */
#ifndef HOSTAPI_PLUGINENTRY_H
#define HOSTAPI_PLUGINENTRY_H

#include "HostTypes.h"

typedef void(HOSTAPI_CALL* PluginEntryProc)(int16_t selector, void* parameterBlock,
                                           intptr_t* data, int16_t* result);

#endif
