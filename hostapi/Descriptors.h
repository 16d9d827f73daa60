/* Scripting descriptors: how a host records a filter's settings and hands
   them back on replay. A descriptor is a handle of keyed, typed values that
   only the host's callbacks read and write. */
#ifndef HOSTAPI_DESCRIPTORS_H
#define HOSTAPI_DESCRIPTORS_H

#include "HostTypes.h"

typedef OSType DescriptorKeyID;
typedef OSType DescriptorTypeID;
typedef OSType DescriptorUnitID;
typedef OSType DescriptorEnumID;
typedef OSType DescriptorEnumTypeID;
typedef OSType DescriptorClassID;
typedef Handle PIDescriptorHandle;
typedef struct PIOpaqueReadDescriptor* PIReadDescriptor;
typedef struct PIOpaqueWriteDescriptor* PIWriteDescriptor;

/* Value types of descriptor entries. */
#define typeInteger HOSTAPI_FOURCC('l', 'o', 'n', 'g')
#define typeFloat HOSTAPI_FOURCC('d', 'o', 'u', 'b')
#define typeUnitFloat HOSTAPI_FOURCC('U', 'n', 't', 'F')
#define typeBoolean HOSTAPI_FOURCC('b', 'o', 'o', 'l')
#define typeText HOSTAPI_FOURCC('T', 'E', 'X', 'T')
#define typeAlias HOSTAPI_FOURCC('a', 'l', 'i', 's')
#define typeEnumerated HOSTAPI_FOURCC('e', 'n', 'u', 'm')
#define typeType HOSTAPI_FOURCC('t', 'y', 'p', 'e')
#define typeObject HOSTAPI_FOURCC('O', 'b', 'j', 'c')
#define typeObjectSpecifier HOSTAPI_FOURCC('o', 'b', 'j', ' ')
#define typeNull HOSTAPI_FOURCC('n', 'u', 'l', 'l')

/* playInfo: whether the plug-in shows its dialog on replay. */
enum { plugInDialogDontDisplay = 0, plugInDialogDisplay = 1, plugInDialogSilent = 2 };
/* recordInfo: whether the user must confirm the dialog when recording. */
enum { plugInDialogOptional = 0, plugInDialogRequired = 1, plugInDialogNone = 2 };

enum { kCurrentDescriptorParametersVersion = 0 };
enum { kCurrentReadDescriptorProcsVersion = 0, kCurrentReadDescriptorProcsCount = 18 };
enum { kCurrentWriteDescriptorProcsVersion = 0, kCurrentWriteDescriptorProcsCount = 16 };

#include "RecordPackingBegin.h"

typedef struct PIDescriptorSimpleReference {
    DescriptorTypeID desiredClass;
    DescriptorKeyID keyForm;
    struct {
        Str255 name;
        int32_t index;
        DescriptorTypeID type;
        DescriptorEnumID value;
    } keyData;
} PIDescriptorSimpleReference;

/* Every getter takes the reader first and returns noErr or a host error. */
typedef struct ReadDescriptorProcs {
    int16_t readDescriptorProcsVersion;
    int16_t numReadDescriptorProcs;
    /* Opens a descriptor for reading; keyArray lists expected keys, ended by 0. */
    PIReadDescriptor(HOSTAPI_CALL* openReadDescriptorProc)(PIDescriptorHandle, DescriptorKeyID*);
    /* Ends reading; returns an error when expected keys were missing. */
    OSErr(HOSTAPI_CALL* closeReadDescriptorProc)(PIReadDescriptor);
    /* Moves to the next entry; false when there is none. */
    Boolean(HOSTAPI_CALL* getKeyProc)(PIReadDescriptor, DescriptorKeyID* key,
                                      DescriptorTypeID* type, int32_t* flags);
    OSErr(HOSTAPI_CALL* getIntegerProc)(PIReadDescriptor, int32_t*);
    OSErr(HOSTAPI_CALL* getFloatProc)(PIReadDescriptor, double*);
    OSErr(HOSTAPI_CALL* getUnitFloatProc)(PIReadDescriptor, DescriptorUnitID*, double*);
    OSErr(HOSTAPI_CALL* getBooleanProc)(PIReadDescriptor, Boolean*);
    OSErr(HOSTAPI_CALL* getTextProc)(PIReadDescriptor, Handle*);
    OSErr(HOSTAPI_CALL* getAliasProc)(PIReadDescriptor, Handle*);
    OSErr(HOSTAPI_CALL* getEnumeratedProc)(PIReadDescriptor, DescriptorEnumID*);
    OSErr(HOSTAPI_CALL* getClassProc)(PIReadDescriptor, DescriptorClassID*);
    OSErr(HOSTAPI_CALL* getSimpleReferenceProc)(PIReadDescriptor, PIDescriptorSimpleReference*);
    OSErr(HOSTAPI_CALL* getObjectProc)(PIReadDescriptor, DescriptorClassID*, PIDescriptorHandle*);
    OSErr(HOSTAPI_CALL* getCountProc)(PIReadDescriptor, uint32_t*);
    OSErr(HOSTAPI_CALL* getStringProc)(PIReadDescriptor, Str255*);
    OSErr(HOSTAPI_CALL* getPinnedIntegerProc)(PIReadDescriptor, int32_t min, int32_t max,
                                              int32_t*);
    OSErr(HOSTAPI_CALL* getPinnedFloatProc)(PIReadDescriptor, const double* min,
                                            const double* max, double*);
    OSErr(HOSTAPI_CALL* getPinnedUnitFloatProc)(PIReadDescriptor, const double* min,
                                                const double* max, DescriptorUnitID*, double*);
} ReadDescriptorProcs;

/* Every put takes the writer first and returns noErr or a host error. */
typedef struct WriteDescriptorProcs {
    int16_t writeDescriptorProcsVersion;
    int16_t numWriteDescriptorProcs;
    PIWriteDescriptor(HOSTAPI_CALL* openWriteDescriptorProc)(void);
    /* Ends writing and hands the finished descriptor to *descriptor. */
    OSErr(HOSTAPI_CALL* closeWriteDescriptorProc)(PIWriteDescriptor, PIDescriptorHandle* descriptor);
    OSErr(HOSTAPI_CALL* putIntegerProc)(PIWriteDescriptor, DescriptorKeyID, int32_t);
    OSErr(HOSTAPI_CALL* putFloatProc)(PIWriteDescriptor, DescriptorKeyID, const double*);
    OSErr(HOSTAPI_CALL* putUnitFloatProc)(PIWriteDescriptor, DescriptorKeyID, DescriptorUnitID,
                                          const double*);
    OSErr(HOSTAPI_CALL* putBooleanProc)(PIWriteDescriptor, DescriptorKeyID, Boolean);
    OSErr(HOSTAPI_CALL* putTextProc)(PIWriteDescriptor, DescriptorKeyID, Handle);
    OSErr(HOSTAPI_CALL* putAliasProc)(PIWriteDescriptor, DescriptorKeyID, Handle);
    OSErr(HOSTAPI_CALL* putEnumeratedProc)(PIWriteDescriptor, DescriptorKeyID,
                                           DescriptorEnumTypeID, DescriptorEnumID);
    OSErr(HOSTAPI_CALL* putClassProc)(PIWriteDescriptor, DescriptorKeyID, DescriptorClassID);
    OSErr(HOSTAPI_CALL* putSimpleReferenceProc)(PIWriteDescriptor, DescriptorKeyID,
                                                const PIDescriptorSimpleReference*);
    /* Puts a nested descriptor; the handle stays the caller's. */
    OSErr(HOSTAPI_CALL* putObjectProc)(PIWriteDescriptor, DescriptorKeyID, DescriptorClassID,
                                       PIDescriptorHandle);
    OSErr(HOSTAPI_CALL* putCountProc)(PIWriteDescriptor, DescriptorKeyID, uint32_t);
    OSErr(HOSTAPI_CALL* putStringProc)(PIWriteDescriptor, DescriptorKeyID, const unsigned char*);
    OSErr(HOSTAPI_CALL* putScopedClassProc)(PIWriteDescriptor, DescriptorKeyID, DescriptorClassID);
    OSErr(HOSTAPI_CALL* putScopedObjectProc)(PIWriteDescriptor, DescriptorKeyID,
                                             DescriptorClassID, PIDescriptorHandle);
} WriteDescriptorProcs;

typedef struct PIDescriptorParameters {
    int16_t descriptorParametersVersion; /* kCurrentDescriptorParametersVersion */
    int16_t playInfo;                    /* plugInDialog{DontDisplay,Display,Silent} */
    int16_t recordInfo;                  /* plugInDialog{Optional,Required,None} */
    PIDescriptorHandle descriptor;       /* replayed values in; recorded values out */
    WriteDescriptorProcs* writeDescriptorProcs;
    ReadDescriptorProcs* readDescriptorProcs;
} PIDescriptorParameters;

#include "RecordPackingEnd.h"

#endif
