// What a platform must provide for the plug-ins' own native dialog boxes
// (the About box): a modal box built from a dialog resource of the module,
// its item texts, and the calls that place it on the screen. On Windows these
// are the user-interface calls of the same meaning; on Linux our host serves
// them through its native dialog suite. Tests put a fake behind it.
#pragma once

#include <cstdint>

#include "NativeDialogSuite.h"

// A window of the platform, opaque; null means none.
using NativeWindow = void*;

// The dialog procedure the platform calls with the messages of a box.
using DialogProcedure = OxDialogProc;

// Messages a dialog procedure receives (NativeDialogSuite.h gives their meaning).
constexpr uint32_t kDialogInitMessage = kOxDialogInitMessage;
constexpr uint32_t kDialogCommandMessage = kOxDialogCommandMessage;
constexpr uint32_t kDialogCharacterMessage = kOxDialogCharacterMessage;
constexpr uint32_t kDialogLeftButtonDownMessage = kOxDialogLeftButtonDownMessage;

struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;   // exclusive
    int32_t bottom = 0;  // exclusive
};

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
};

enum class SystemMetric { ScreenWidth, ScreenHeight, TitleButtonWidth };

class NativeDialogs {
public:
    virtual ~NativeDialogs() = default;

    // Runs dialog resource `dialogId` of the module that ModuleInstance gives
    // for `plugInRef` as a modal box owned by `owner`; `procedure` receives the
    // init message with `initParam` as its long parameter. Returns the result
    // given to EndModal, or -1 when the box cannot be shown.
    virtual intptr_t RunModal(void* plugInRef, int32_t dialogId, NativeWindow owner,
                              DialogProcedure procedure, intptr_t initParam) = 0;
    virtual void EndModal(NativeWindow window, intptr_t result) = 0;
    virtual NativeWindow ActiveWindow() = 0;
    // String resource `id` of the cached module (ModuleInstance of a null
    // reference) into `buffer` of `capacity` bytes: at most capacity - 1 bytes
    // and a terminator. Returns the bytes copied; 0 and "" when missing.
    virtual int32_t LoadText(int32_t id, char* buffer, int32_t capacity) = 0;
    virtual void SetItemText(NativeWindow window, int32_t itemId, const char* text) = 0;
    // At most capacity - 1 bytes of the item's text and a terminator.
    virtual int32_t GetItemText(NativeWindow window, int32_t itemId, char* buffer,
                                int32_t capacity) = 0;
    // Null when the window has none.
    virtual NativeWindow Parent(NativeWindow window) = 0;
    virtual NativeWindow Desktop() = 0;
    // In the window's own coordinates (left and top 0).
    virtual ScreenRect ClientRect(NativeWindow window) = 0;
    virtual ScreenPoint ClientToScreen(NativeWindow window, ScreenPoint point) = 0;
    // Frame included, in screen coordinates.
    virtual ScreenRect WindowRect(NativeWindow window) = 0;
    virtual bool HasSystemMenu(NativeWindow window) = 0;
    virtual int32_t Metric(SystemMetric which) = 0;
    // Keeps the window's size and its place in the window order.
    virtual void MoveWindow(NativeWindow window, int32_t x, int32_t y) = 0;
};
