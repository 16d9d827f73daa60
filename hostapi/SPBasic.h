/* The suite mechanism: named, versioned tables of host functions. */
#ifndef HOSTAPI_SPBASIC_H
#define HOSTAPI_SPBASIC_H

#include "HostTypes.h"

typedef int32_t SPErr;     /* 32-bit suite result: 0 or a four-character code */
typedef int32_t SPBoolean; /* 4-byte boolean of the suite mechanism */

#define kSPNoError 0
#define kSPSuiteNotFoundError ((SPErr)HOSTAPI_FOURCC('S', '!', 'F', 'd'))
#define kSPBadParameterError ((SPErr)HOSTAPI_FOURCC('P', 'a', 'r', 'm'))
#define kSPUnimplementedError ((SPErr)HOSTAPI_FOURCC('!', 'I', 'M', 'P'))

#include "RecordPackingBegin.h"

typedef struct SPBasicSuite {
    /* Fills *suite with the named suite of that version; kSPSuiteNotFoundError otherwise. */
    SPErr(HOSTAPI_CALL* AcquireSuite)(const char* name, int32_t version, const void** suite);
    /* Undoes one AcquireSuite of the same name and version. */
    SPErr(HOSTAPI_CALL* ReleaseSuite)(const char* name, int32_t version);
    /* Non-zero when the two names are the same. */
    SPBoolean(HOSTAPI_CALL* IsEqual)(const char* token1, const char* token2);
    SPErr(HOSTAPI_CALL* AllocateBlock)(size_t size, void** block);
    SPErr(HOSTAPI_CALL* FreeBlock)(void* block);
    SPErr(HOSTAPI_CALL* ReallocateBlock)(void* block, size_t newSize, void** newblock);
    /* Placeholder for unused slots; returns kSPUnimplementedError. */
    SPErr(HOSTAPI_CALL* Undefined)(void);
} SPBasicSuite;

#include "RecordPackingEnd.h"

#endif
