/* Parameter block of the about selector. */
#ifndef HOSTAPI_ABOUTRECORD_H
#define HOSTAPI_ABOUTRECORD_H

#include "PlatformData.h"
#include "SPBasic.h"

#include "RecordPackingBegin.h"

typedef struct AboutRecord {
    PlatformData* platformData; /* owner window of the About box */
    SPBasicSuite* sSPBasic;     /* suite mechanism; null on hosts without it */
    void* plugInRef;            /* the host's reference of this plug-in */
    char reserved[244];         /* zero; pads the record to 256 bytes on 32-bit hosts */
} AboutRecord;

#include "RecordPackingEnd.h"

#endif
