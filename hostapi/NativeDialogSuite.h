/* Native dialog boxes served by the host: the modal box, its items and the
   window placement calls that a plug-in's own About box needs. Our own suite,
   offered by our host through SPBasicSuite; a host without it cannot show
   such boxes.

   Windows are opaque references handed out by the host (OxWindowRef); null
   means "no window". Coordinates are screen pixels, origin top left.
   Texts are NUL-terminated bytes in the code page of the module's string
   resources (Windows-1252). */
#ifndef HOSTAPI_NATIVEDIALOGSUITE_H
#define HOSTAPI_NATIVEDIALOGSUITE_H

#include "SPBasic.h"

#define kOxNativeDialogSuiteName "Oxlen Native Dialog Suite"
#define kOxNativeDialogSuiteVersion 1

typedef void* OxWindowRef;

/* Messages sent to a dialog procedure. The values are those of the Windows
   messages of the same meaning, so that one procedure serves both. */
enum {
    /* Before the box is shown; longParam is the initParam of RunModal. */
    kOxDialogInitMessage = 0x0110,
    /* An item was activated (a button pressed); the low 16 bits of wordParam
       are the item id. */
    kOxDialogCommandMessage = 0x0111,
    /* A key was typed; the low byte of wordParam is the character
       (27 Escape, 13 Return). */
    kOxDialogCharacterMessage = 0x0102,
    /* The left mouse button went down in the box outside any enabled item. */
    kOxDialogLeftButtonDownMessage = 0x0201
};

/* Which value SystemMetric gives. */
enum {
    kOxMetricScreenWidth = 0,
    kOxMetricScreenHeight = 1,
    kOxMetricTitleButtonWidth = 2 /* width of a button in a window's title bar */
};

/* Receives the messages above (and possibly others, which it ignores).
   Returns non-zero when it handled the message. */
typedef intptr_t(HOSTAPI_DIALOG_CALL* OxDialogProc)(OxWindowRef window, uint32_t message,
                                             uintptr_t wordParam, intptr_t longParam);

#include "RecordPackingBegin.h"

typedef struct OxScreenRect {
    int32_t left;
    int32_t top;
    int32_t right;  /* exclusive */
    int32_t bottom; /* exclusive */
} OxScreenRect;

typedef struct NativeDialogSuite {
    /* Builds the box that `dialogTemplate` describes (a DIALOG resource, layout
       in bridge/platform/linux/DialogTemplate.h), owned by `owner` (may be
       null), sends `procedure` kOxDialogInitMessage with `initParam`, shows the
       box and runs it until EndModal. Returns the result given to EndModal, or
       -1 when the template is invalid or the box cannot be shown. */
    intptr_t(HOSTAPI_CALL* RunModal)(const unsigned char* dialogTemplate, size_t templateSize,
                                     OxWindowRef owner, OxDialogProc procedure, intptr_t initParam);
    /* Makes RunModal of `window` return `result` once the current message is
       handled. */
    void(HOSTAPI_CALL* EndModal)(OxWindowRef window, intptr_t result);
    /* The host's active window, or null. */
    OxWindowRef(HOSTAPI_CALL* ActiveWindow)(void);
    /* Sets the text of item `itemId` of the box; unknown ids are ignored. */
    void(HOSTAPI_CALL* SetItemText)(OxWindowRef window, int32_t itemId, const char* text);
    /* Copies at most capacity - 1 bytes of the item's text into `buffer` and
       terminates it (capacity > 0); returns the bytes copied, 0 for an unknown id. */
    int32_t(HOSTAPI_CALL* GetItemText)(OxWindowRef window, int32_t itemId, char* buffer,
                                       int32_t capacity);
    /* The window's parent (for a box: its owner), or null. */
    OxWindowRef(HOSTAPI_CALL* ParentWindow)(OxWindowRef window);
    /* The window that stands for the whole screen. */
    OxWindowRef(HOSTAPI_CALL* DesktopWindow)(void);
    /* The window's inner area in its own coordinates: left and top are 0. */
    void(HOSTAPI_CALL* ClientRect)(OxWindowRef window, OxScreenRect* rect);
    /* Converts a point from the window's inner coordinates to the screen's, in place. */
    void(HOSTAPI_CALL* ClientToScreen)(OxWindowRef window, int32_t* x, int32_t* y);
    /* The window's outer rectangle, frame included, on the screen. */
    void(HOSTAPI_CALL* WindowRect)(OxWindowRef window, OxScreenRect* rect);
    /* Non-zero when the window's title bar has a system menu. */
    SPBoolean(HOSTAPI_CALL* HasSystemMenu)(OxWindowRef window);
    /* One of the kOxMetric... values, in pixels. */
    int32_t(HOSTAPI_CALL* SystemMetric)(int32_t which);
    /* Moves the window's top left corner to (x, y) on the screen, keeping its
       size and its place in the window order. */
    void(HOSTAPI_CALL* MoveWindow)(OxWindowRef window, int32_t x, int32_t y);
} NativeDialogSuite;

#include "RecordPackingEnd.h"

#endif
