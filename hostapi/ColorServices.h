/* Colour services: colour conversion and the host's colour picker. */
#ifndef HOSTAPI_COLORSERVICES_H
#define HOSTAPI_COLORSERVICES_H

#include "HostTypes.h"

enum {
    plugIncolorServicesChooseColor = 0,  /* run the colour picker */
    plugIncolorServicesConvertColor = 1, /* convert colorComponents between spaces */
    plugIncolorServicesSamplePoint = 2,
    plugIncolorServicesGetSpecialColor = 3
};

/* Colour space codes of sourceSpace and resultSpace. Component ranges:
   RGB 0..255 each; HSB hue 0..360 degrees, saturation and brightness 0..255;
   CMYK 0..255 each in image-buffer convention (255 no ink, 0 full ink);
   Lab L 0..255 (L* scaled), a and b 0..255 centred on 128; Gray 0..255. */
enum {
    plugIncolorServicesRGBSpace = 0,
    plugIncolorServicesHSBSpace = 1,
    plugIncolorServicesCMYKSpace = 2,
    plugIncolorServicesLabSpace = 3,
    plugIncolorServicesGraySpace = 4,
    plugIncolorServicesHSLSpace = 5,
    plugIncolorServicesXYZSpace = 6,
    plugIncolorServicesChosenSpace = -1 /* choose colour: keep the space the user chose */
};

#include "RecordPackingBegin.h"

typedef struct ColorServicesInfo {
    int32_t infoSize;              /* sizeof(ColorServicesInfo) as the plug-in knows it */
    int16_t selector;              /* plugIncolorServices... selector */
    int16_t sourceSpace;           /* space of colorComponents on entry */
    int16_t resultSpace;           /* space wanted in colorComponents on return */
    Boolean resultGamutInfoValid;  /* set by the host when resultInGamut means something */
    Boolean resultInGamut;         /* set by the host */
    void* reservedSourceSpaceInfo; /* must be null */
    void* reservedResultSpaceInfo; /* must be null */
    int16_t colorComponents[4];    /* in: source colour; out: result colour */
    void* reserved;                /* must be null */
    union {
        Str255* pickerPrompt; /* choose colour: prompt, or null */
        Point16* globalSamplePoint;
        int32_t specialColorID;
    } selectorParameter;
} ColorServicesInfo;

#include "RecordPackingEnd.h"

/* Returns noErr with the converted or chosen colour, userCanceledErr when the
   picker was cancelled, paramErr for an unknown selector or space. */
typedef OSErr(HOSTAPI_CALL* ColorServicesProc)(ColorServicesInfo* info);

#endif
