/* Parameter block of selectors 1 to 5: the document, the buffers a filter
   requested, and every host callback a filter may use. The host fills it
   afresh for each call; the plug-in writes only the request fields. */
#ifndef HOSTAPI_FILTERRECORD_H
#define HOSTAPI_FILTERRECORD_H

#include "ColorServices.h"
#include "Descriptors.h"
#include "HandleProcs.h"
#include "HostTypes.h"
#include "PlatformData.h"
#include "SPBasic.h"

/* Services this interface only passes along; declared elsewhere or not at all. */
typedef struct BufferProcs BufferProcs;
typedef struct ResourceProcs ResourceProcs;
typedef struct PixelMap PixelMap;
typedef struct ImageServicesProcs ImageServicesProcs;
typedef struct PropertyProcs PropertyProcs;
typedef struct ChannelPortProcs ChannelPortProcs;
typedef struct ReadImageDocumentDesc ReadImageDocumentDesc;

/* True when the user asked to stop. Cheap enough to call once per row. */
typedef Boolean(HOSTAPI_CALL* TestAbortProc)(void);
/* Reports done out of total units of work. */
typedef void(HOSTAPI_CALL* ProgressProc)(int32_t done, int32_t total);
/* Delivers the buffers of the current request; noErr or a host error. */
typedef OSErr(HOSTAPI_CALL* AdvanceStateProc)(void);
typedef void(HOSTAPI_CALL* HostProc)(int16_t selector, intptr_t* data);
typedef void(HOSTAPI_CALL* ProcessEventProc)(void* event);
typedef OSErr(HOSTAPI_CALL* DisplayPixelsProc)(const PixelMap* source, const Rect32* srcRect,
                                               int32_t dstRow, int32_t dstCol,
                                               void* platformContext);
typedef OSErr(HOSTAPI_CALL* GetPropertyObsoleteProc)(OSType signature, OSType key, int32_t index,
                                                      intptr_t* simpleProperty,
                                                      Handle* complexProperty);

#include "RecordPackingBegin.h"

/* Display calibration of the host's monitor. */
typedef struct PlugInMonitor {
    Fixed gamma;
    Fixed redX, redY;
    Fixed greenX, greenY;
    Fixed blueX, blueY;
    Fixed whiteX, whiteY;
    Fixed ambient;
} PlugInMonitor;

typedef struct FilterRecord {
    int32_t serial;            /* host serial number, 0 when none */
    TestAbortProc abortProc;   /* user abort */
    ProgressProc progressProc; /* progress display */
    Handle parameters;         /* the plug-in's own settings, kept by the host between calls */

    Point16 imageSize; /* document rows (v) and columns (h) */
    int16_t planes;    /* planes of the document, transparency included */
    Rect16 filterRect; /* bounds of the selection */

    RGBColor background;
    RGBColor foreground;

    int32_t maxSpace;    /* memory the host can give */
    int32_t bufferSpace; /* memory the plug-in wants beyond the request buffers */

    Rect16 inRect;    /* requested input rectangle */
    int16_t inLoPlane; /* first requested input plane */
    int16_t inHiPlane; /* last requested input plane */

    Rect16 outRect;    /* requested output rectangle; empty ends the requests */
    int16_t outLoPlane;
    int16_t outHiPlane;

    void* inData;       /* delivered input buffer */
    int32_t inRowBytes; /* bytes from one input row to the next */
    void* outData;      /* delivered output buffer; it already holds the current pixels */
    int32_t outRowBytes;

    Boolean isFloating; /* a floating selection is being filtered */
    Boolean haveMask;   /* a selection mask exists */
    Boolean autoMask;   /* the host applies the mask itself */

    Rect16 maskRect;
    void* maskData;
    int32_t maskRowBytes;

    unsigned char backColor[4]; /* background in the document's space */
    unsigned char foreColor[4]; /* foreground in the document's space */

    OSType hostSig;    /* the host's signature */
    HostProc hostProc; /* host-specific callback */

    int16_t imageMode; /* plugInMode... value of the document */

    Fixed imageHRes; /* resolution in pixels per inch */
    Fixed imageVRes;

    Point16 floatCoord; /* top-left of a floating selection */
    Point16 wholeSize;  /* size of the whole document under a floating selection */

    PlugInMonitor monitor;

    PlatformData* platformData;
    BufferProcs* bufferProcs;
    ResourceProcs* resourceProcs;
    ProcessEventProc processEvent;
    DisplayPixelsProc displayPixels;
    HandleProcs* handleProcs; /* memory handles; may be null on old hosts */

    Boolean supportsDummyChannels;
    Boolean supportsAlternateLayouts;
    int16_t wantLayout;
    int16_t filterCase; /* filterCase... value: what is filtered */
    int16_t dummyPlaneValue;
    void* premiereHook;
    AdvanceStateProc advanceState; /* null on hosts that cannot serve requests in start */

    Boolean supportsAbsolute;
    Boolean wantsAbsolute;
    GetPropertyObsoleteProc getPropertyObsolete;
    Boolean cannotUndo;
    Boolean supportsPadding;
    int16_t inputPadding;
    int16_t outputPadding;
    int16_t maskPadding;
    unsigned char samplingSupport;
    unsigned char reservedByte;
    Fixed inputRate;
    Fixed maskRate;
    ColorServicesProc colorServices; /* conversion and colour picker */

    /* Plane counts by kind for layers (filter cases 3 to 7). */
    int16_t inLayerPlanes;
    int16_t inTransparencyMask;
    int16_t inLayerMasks;
    int16_t inInvertedLayerMasks;
    int16_t inNonLayerPlanes;
    int16_t outLayerPlanes; /* colour planes of the target layer */
    int16_t outTransparencyMask;
    int16_t outLayerMasks;
    int16_t outInvertedLayerMasks;
    int16_t outNonLayerPlanes;
    int16_t absLayerPlanes;
    int16_t absTransparencyMask;
    int16_t absLayerMasks;
    int16_t absInvertedLayerMasks;
    int16_t absNonLayerPlanes;
    int16_t inPreDummyPlanes;
    int16_t inPostDummyPlanes;
    int16_t outPreDummyPlanes;
    int16_t outPostDummyPlanes;

    /* Steps of the delivered buffers; 0 means the interleaved default
       (column step = plane count, plane step = 1). */
    int32_t inColumnBytes;
    int32_t inPlaneBytes;
    int32_t outColumnBytes;
    int32_t outPlaneBytes;

    ImageServicesProcs* imageServicesProcs;
    PropertyProcs* propertyProcs;

    int16_t inTileHeight;
    int16_t inTileWidth;
    Point16 inTileOrigin;
    int16_t absTileHeight;
    int16_t absTileWidth;
    Point16 absTileOrigin;
    int16_t outTileHeight;
    int16_t outTileWidth;
    Point16 outTileOrigin;
    int16_t maskTileHeight;
    int16_t maskTileWidth;
    Point16 maskTileOrigin;

    PIDescriptorParameters* descriptorParameters; /* scripting; null when unsupported */
    Str255* errorString;
    ChannelPortProcs* channelPortProcs;
    ReadImageDocumentDesc* documentInfo;

    SPBasicSuite* sSPBasic; /* suite mechanism */
    void* plugInRef;        /* the host's reference of this plug-in */
    int32_t depth;          /* bits per channel: 8 or 16 */

    Handle iCCprofileData;
    int32_t iCCprofileSize;
    int32_t canUseICCProfiles;

    char reserved[56]; /* zero */
} FilterRecord;

#include "RecordPackingEnd.h"

#endif
