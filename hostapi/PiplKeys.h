/* Keys of the plug-in property list (PiPL) that a filter module carries as
   resource "PIPL" 16000, read by the host before it calls the module. */
#ifndef HOSTAPI_PIPLKEYS_H
#define HOSTAPI_PIPLKEYS_H

#include "HostTypes.h"

enum { kPiplResourceId = 16000 };

#define PIPLVendor8BIM HOSTAPI_FOURCC('8', 'B', 'I', 'M')
#define PIKindProperty HOSTAPI_FOURCC('k', 'i', 'n', 'd')        /* OSType: '8BFM' for filters */
#define PINameProperty HOSTAPI_FOURCC('n', 'a', 'm', 'e')        /* length-prefixed menu name */
#define PICategoryProperty HOSTAPI_FOURCC('c', 'a', 't', 'g')    /* length-prefixed submenu */
#define PIVersionProperty HOSTAPI_FOURCC('v', 'e', 'r', 's')     /* interface version, 16.16 */
#define PIWin32X86CodeProperty HOSTAPI_FOURCC('w', 'x', '8', '6') /* entry point name, C string */
#define PIWin64X86CodeProperty HOSTAPI_FOURCC('8', '6', '6', '4') /* the same, 64-bit Windows */
#define PITerminologyProperty HOSTAPI_FOURCC('h', 's', 't', 'm') /* scripting terminology */
#define PIImageModesProperty HOSTAPI_FOURCC('m', 'o', 'd', 'e')  /* 16-bit set of modes */
#define PIEnableInfoProperty HOSTAPI_FOURCC('e', 'n', 'b', 'l')  /* enabling expression, C string */
#define PIFilterCaseInfoProperty HOSTAPI_FOURCC('f', 'i', 'c', 'i') /* 7 x 4 bytes */
#define PIFilterKind HOSTAPI_FOURCC('8', 'B', 'F', 'M')

/* Mode set: bit (0x8000 >> mode) of a big-endian 16-bit value, so byte 0
   holds modes 0..7 from its top bit down and byte 1 modes 8..15. */

/* Filter case info entry, one per filter case 1..7. */
enum {
    filterDataHandlingCantFilter = 0,
    filterDataHandlingNone = 1, /* straight data */
    filterDataHandlingBlackMat = 2,
    filterDataHandlingGrayMat = 3,
    filterDataHandlingWhiteMat = 4,
    filterDataHandlingDefringe = 5,
    filterDataHandlingBlackZap = 6,
    filterDataHandlingGrayZap = 7,
    filterDataHandlingWhiteZap = 8,
    filterDataHandlingFillMask = 9,
    filterDataHandlingBackgroundZap = 10,
    filterDataHandlingForegroundZap = 11
};

#endif
