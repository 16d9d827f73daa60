/* Basic types shared by every record of the filter plug-in interface.
   Plain C so that the same declarations serve plug-ins, hosts and C callers. */
#ifndef HOSTAPI_HOSTTYPES_H
#define HOSTAPI_HOSTTYPES_H

#include <stddef.h>
#include <stdint.h>

/* Every callback and the entry point use the C calling convention. */
#if defined(_WIN32) && !defined(_WIN64)
#define HOSTAPI_CALL __cdecl
#else
#define HOSTAPI_CALL
#endif

/* A native dialog procedure follows the system's own convention: __stdcall
   on 32-bit Windows (exported as _Name@16), the C convention elsewhere. */
#if defined(_WIN32) && !defined(_WIN64)
#define HOSTAPI_DIALOG_CALL __stdcall
#else
#define HOSTAPI_DIALOG_CALL
#endif

/* Marks what a module exports. On Windows a module definition file names the
   exports instead; on Linux everything else stays hidden. */
#if defined(_WIN32)
#define HOSTAPI_EXPORT
#else
#define HOSTAPI_EXPORT __attribute__((visibility("default")))
#endif

typedef int16_t OSErr;      /* 16-bit host result code, 0 = noErr */
typedef uint32_t OSType;    /* four-character code, 'abcd' read as a 32-bit value */
typedef int32_t Fixed;      /* 16.16 fixed point */
typedef unsigned char Boolean; /* one byte, 0 = false */

/* A memory handle: the address of a host record whose first field is the data
   address. Plug-ins may dereference it once to reach the data. */
typedef char** Handle;

typedef struct Point16 {
    int16_t v; /* row */
    int16_t h; /* column */
} Point16;

typedef struct Rect16 {
    int16_t top;
    int16_t left;
    int16_t bottom; /* exclusive */
    int16_t right;  /* exclusive */
} Rect16;

typedef struct Rect32 {
    int32_t top;
    int32_t left;
    int32_t bottom;
    int32_t right;
} Rect32;

/* Host RGB colour: three 16-bit components, 0..65535. */
typedef struct RGBColor {
    uint16_t red;
    uint16_t green;
    uint16_t blue;
} RGBColor;

/* Length-prefixed string of up to 255 characters. */
typedef unsigned char Str255[256];

/* Builds a four-character code from its characters in reading order. */
#define HOSTAPI_FOURCC(a, b, c, d) \
    (((OSType)(unsigned char)(a) << 24) | ((OSType)(unsigned char)(b) << 16) | \
     ((OSType)(unsigned char)(c) << 8) | (OSType)(unsigned char)(d))

#endif
