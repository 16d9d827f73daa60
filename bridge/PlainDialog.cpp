#include "PlainDialog.h"

#include "DialogPlacement.h"

CPlainDialog* activeDialog = nullptr;

namespace {

// The platform of the box being run: GenericProc is a plain function and
// must place the box before it knows the object.
NativeDialogs* modalPlatform = nullptr;

constexpr int32_t kOkItem = 1;
constexpr int32_t kCancelItem = 2;

intptr_t Initialise(NativeWindow window, intptr_t longParam) {
    if (modalPlatform != nullptr) {
        PlaceDialog(*modalPlatform, window);
    }
    activeDialog = reinterpret_cast<CPlainDialog*>(longParam);
    if (activeDialog == nullptr) {
        return 0;
    }
    activeDialog->window = window;
    activeDialog->Init();
    return 1;
}

intptr_t HandleCommand(NativeWindow window, uintptr_t wordParam) {
    const int32_t itemId = int32_t(wordParam & 0xFFFF);
    if (activeDialog != nullptr) {
        activeDialog->Command(itemId);
    }
    if ((itemId == kOkItem || itemId == kCancelItem) && modalPlatform != nullptr) {
        modalPlatform->EndModal(window, itemId);
    }
    return 1;
}

}  // namespace

int32_t CPlainDialog::DoModal(void* plugInRef, int32_t dialogId) {
    this->dialogId = dialogId;
    pluginRef = plugInRef;
    NativeDialogs* outerPlatform = modalPlatform;
    modalPlatform = &platform;
    const intptr_t result = platform.RunModal(plugInRef, dialogId & 0xFFFF, platform.ActiveWindow(),
                                              GenericProc, reinterpret_cast<intptr_t>(this));
    modalPlatform = outerPlatform;
    activeDialog = nullptr;
    window = nullptr;
    if (pendingFailure) {
        std::exception_ptr failure = pendingFailure;
        pendingFailure = nullptr;
        std::rethrow_exception(failure);
    }
    return int32_t(result);
}

extern "C" HOSTAPI_EXPORT intptr_t HOSTAPI_DIALOG_CALL GenericProc(NativeWindow window,
                                                                   uint32_t message,
                                                                   uintptr_t wordParam,
                                                                   intptr_t longParam) {
    try {
        switch (message) {
            case kDialogInitMessage:
                return Initialise(window, longParam);
            case kDialogCommandMessage:
                return HandleCommand(window, wordParam);
            default:
                if (activeDialog != nullptr) {
                    activeDialog->Message(message, wordParam, longParam);
                }
                return 0;
        }
    } catch (...) {
        // The platform's message loop cannot carry an exception: close the
        // box and let DoModal rethrow it to the entry point's barrier.
        if (activeDialog != nullptr) {
            activeDialog->RememberFailure(std::current_exception());
        }
        if (modalPlatform != nullptr) {
            modalPlatform->EndModal(window, -1);
        }
        return 1;
    }
}
