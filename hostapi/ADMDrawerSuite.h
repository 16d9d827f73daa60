/* "ADM Drawer Suite" version 3: drawing inside a draw callback. 63 slots,
   in the order hosts lay them out (the number before each is its slot).
   Coordinates are the local pixels of the item or dialog being drawn. */
#ifndef HOSTAPI_ADMDRAWERSUITE_H
#define HOSTAPI_ADMDRAWERSUITE_H

#include "ADMTypes.h"

#define kADMDrawerSuiteName "ADM Drawer Suite"
#define kADMDrawerSuiteVersion 3

#include "RecordPackingBegin.h"

typedef struct ADMDrawerSuite {
    ADMUnusedSlot GetPortRef;                                                  /* 0 */
    void(HOSTAPI_CALL* Clear)(ADMDrawerRef drawer);                            /* 1 */
    void(HOSTAPI_CALL* GetBoundsRect)(ADMDrawerRef drawer, ADMRect* bounds);   /* 2 */
    void(HOSTAPI_CALL* GetClipRect)(ADMDrawerRef drawer, ADMRect* rect);       /* 3 */
    void(HOSTAPI_CALL* SetClipRect)(ADMDrawerRef drawer, const ADMRect* rect); /* 4 */
    ADMUnusedSlot IntersectClipRect;                                           /* 5 */
    ADMUnusedSlot UnionClipRect;                                               /* 6 */
    ADMUnusedSlot SubtractClipRect;                                            /* 7 */
    /* 8-11: clipping to polygons. */
    ADMUnusedSlot clipPolygonCalls[4];
    ADMUnusedSlot GetOrigin; /* 12 */
    ADMUnusedSlot SetOrigin; /* 13 */
    /* 14-15: The drawing colour as RGB, 16 bits a channel. */
    void(HOSTAPI_CALL* GetRGBColor)(ADMDrawerRef drawer, RGBColor* color);
    void(HOSTAPI_CALL* SetRGBColor)(ADMDrawerRef drawer, const RGBColor* color);
    /* 16-17: The drawing colour by code (kADMBlackColor, kADMWhiteColor,
       kADMDisabledColor, ...). */
    int32_t(HOSTAPI_CALL* GetADMColor)(ADMDrawerRef drawer);
    void(HOSTAPI_CALL* SetADMColor)(ADMDrawerRef drawer, int32_t color);
    ADMUnusedSlot GetDrawMode; /* 18 */
    ADMUnusedSlot SetDrawMode; /* 19 */
    ADMUnusedSlot GetFont;     /* 20 */
    ADMUnusedSlot SetFont;     /* 21 */
    /* 22: A one-pixel line in the drawing colour. */
    void(HOSTAPI_CALL* DrawLine)(ADMDrawerRef drawer, ADMPoint* from, ADMPoint* to);
    ADMUnusedSlot DrawPolygon; /* 23 */
    ADMUnusedSlot FillPolygon; /* 24 */
    /* 25: The one-pixel outline of the rectangle in the drawing colour. */
    void(HOSTAPI_CALL* DrawRect)(ADMDrawerRef drawer, const ADMRect* rect);
    /* 26: The rectangle filled with the drawing colour. */
    void(HOSTAPI_CALL* FillRect)(ADMDrawerRef drawer, const ADMRect* rect);
    ADMUnusedSlot ClearRect;              /* 27 */
    ADMUnusedSlot DrawSunkenRect;         /* 28 */
    ADMUnusedSlot DrawRaisedRect;         /* 29 */
    ADMUnusedSlot InvertRect;             /* 30 */
    ADMUnusedSlot DrawOval;               /* 31 */
    ADMUnusedSlot FillOval;               /* 32 */
    ADMUnusedSlot GetAGMPort;             /* 33 */
    ADMUnusedSlot DrawAGMImage;           /* 34 */
    ADMUnusedSlot DrawResPicture;         /* 35 */
    ADMUnusedSlot DrawResPictureCentered; /* 36 */
    /* 37-38: recoloured pictures. */
    ADMUnusedSlot recoloredPictureCalls[2];
    /* 39-42: icons. */
    ADMUnusedSlot iconCalls[4];
    ADMUnusedSlot GetResPictureBounds; /* 43 */
    ADMUnusedSlot GetTextWidth;        /* 44 */
    ADMUnusedSlot GetFontInfo;         /* 45 */
    ADMUnusedSlot DrawText;            /* 46 */
    ADMUnusedSlot DrawTextLeft;        /* 47 */
    ADMUnusedSlot DrawTextCentered;    /* 48 */
    ADMUnusedSlot DrawTextRight;       /* 49 */
    /* 50-53: arrows. */
    ADMUnusedSlot arrowCalls[4];
    ADMUnusedSlot Create;               /* 54 */
    ADMUnusedSlot Destroy;              /* 55 */
    ADMUnusedSlot DrawADMImage;         /* 56 */
    ADMUnusedSlot DrawADMImageCentered; /* 57 */
    ADMUnusedSlot GetADMWindowPort;     /* 58 */
    ADMUnusedSlot ReleaseADMWindowPort; /* 59 */
    ADMUnusedSlot GetThisFontInfo;      /* 60 */
    ADMUnusedSlot DrawTextInABox;       /* 61 */
    ADMUnusedSlot GetUpdateRect;        /* 62 */
} ADMDrawerSuite;

#include "RecordPackingEnd.h"

#endif
