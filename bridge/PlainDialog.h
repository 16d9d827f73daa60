// A native modal dialog box of the plug-in's own (not one of the host's
// dialog toolkit), driven by the exported dialog procedure GenericProc,
// which forwards the box's messages to the object.
#pragma once

#include <cstdint>
#include <exception>

#include "NativeDialogs.h"

class CPlainDialog {
public:
    // `platform` must outlive the object.
    explicit CPlainDialog(NativeDialogs& platform) : platform(platform) {}
    CPlainDialog(const CPlainDialog&) = delete;
    CPlainDialog& operator=(const CPlainDialog&) = delete;
    virtual ~CPlainDialog() = default;

    // Called once the box exists, before it is shown; `window` is set.
    virtual void Init() {}
    // An item of the box was activated.
    virtual void Command(int32_t /*itemId*/) {}
    // Any message other than init and command.
    virtual void Message(uint32_t /*message*/, uintptr_t /*wordParam*/, intptr_t /*longParam*/) {}
    // Shows dialog resource `dialogId` of the plug-in's module modally and
    // returns the box's result (-1 when it could not be shown). Rethrows, once
    // the box is closed, a failure of a handler above: none may unwind through
    // the platform's message loop.
    int32_t DoModal(void* plugInRef, int32_t dialogId);

    // For GenericProc: remembers a failure of a handler; DoModal rethrows it.
    void RememberFailure(std::exception_ptr failure) { pendingFailure = failure; }

    int32_t dialogId = 0;
    NativeWindow window = nullptr;  // valid while the box is open
    void* pluginRef = nullptr;

protected:
    NativeDialogs& platform;

private:
    std::exception_ptr pendingFailure;
};

// The object of the open box; null whenever no box is open.
extern CPlainDialog* activeDialog;

// The dialog procedure of every plug-in box; exported. Returns non-zero when
// the message was handled. Nothing escapes it.
extern "C" intptr_t HOSTAPI_DIALOG_CALL GenericProc(NativeWindow window, uint32_t message,
                                                    uintptr_t wordParam, intptr_t longParam);
