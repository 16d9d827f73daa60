/* "ADM Drawer Suite" version 3: drawing inside a draw callback. The order of
   the entries is this system's own; no published layout is followed. */
#ifndef HOSTAPI_ADMDRAWERSUITE_H
#define HOSTAPI_ADMDRAWERSUITE_H

#include "ADMTypes.h"

#define kADMDrawerSuiteName "ADM Drawer Suite"
#define kADMDrawerSuiteVersion 3

#include "RecordPackingBegin.h"

typedef struct ADMDrawerSuite {
    /* Sets the drawing colour by code: kADMBlackColor, kADMWhiteColor,
       kADMDisabledColor. */
    void(HOSTAPI_CALL* SetADMColor)(ADMDrawerRef drawer, int32_t color);
    /* Sets the drawing colour to an RGB colour, 16 bits a channel. */
    void(HOSTAPI_CALL* SetRGBColor)(ADMDrawerRef drawer, const RGBColor* color);
    /* Draws the one-pixel outline of the rectangle in the drawing colour. */
    void(HOSTAPI_CALL* DrawRect)(ADMDrawerRef drawer, const ADMRect* rect);
    /* Fills the rectangle with the drawing colour. */
    void(HOSTAPI_CALL* FillRect)(ADMDrawerRef drawer, const ADMRect* rect);
} ADMDrawerSuite;

#include "RecordPackingEnd.h"

#endif
