#include "DialogWrapper.h"

#include "DialogSuites.h"

namespace {

const ADMDialogSuite* Suite() {
    return DialogSuites.dialog;
}

CDialogWrapper* ObjectOf(ADMDialogRef dialog) {
    if (Suite() == nullptr || dialog == nullptr) {
        return nullptr;
    }
    return static_cast<CDialogWrapper*>(Suite()->GetUserData(dialog));
}

}  // namespace

// The callbacks are the only way back from the host's C toolkit: nothing
// may escape them.

SPErr HOSTAPI_CALL DialogInitProc(ADMDialogRef dialog) {
    try {
        CDialogWrapper* object = ObjectOf(dialog);
        if (object == nullptr) {
            return kADMBadParameterError;
        }
        object->dialog = dialog;
        return object->Init();
    } catch (...) {
        return kADMBadParameterError;
    }
}

void HOSTAPI_CALL DialogDrawProc(ADMDialogRef dialog, ADMDrawerRef drawer) {
    try {
        if (CDialogWrapper* object = ObjectOf(dialog)) {
            object->Draw(drawer);
        }
    } catch (...) {
    }
}

ADMBoolean HOSTAPI_CALL DialogTrackProc(ADMDialogRef dialog, ADMTrackerRef tracker) {
    try {
        CDialogWrapper* object = ObjectOf(dialog);
        return object != nullptr && object->Track(tracker);
    } catch (...) {
        return 0;
    }
}

void HOSTAPI_CALL DialogNotifyProc(ADMDialogRef dialog, ADMNotifierRef notifier) {
    try {
        if (CDialogWrapper* object = ObjectOf(dialog)) {
            object->Notify(notifier);
        }
    } catch (...) {
    }
}

void HOSTAPI_CALL DialogDestroyProc(ADMDialogRef dialog) {
    CDialogWrapper* object = ObjectOf(dialog);
    if (object == nullptr) {
        return;
    }
    try {
        object->Destroying();
    } catch (...) {
    }
    object->dialog = nullptr;
    if (!object->IsModal()) {
        delete object;
    }
}

SPErr CDialogWrapper::Init() {
    Suite()->SetDrawProc(dialog, DialogDrawProc);
    Suite()->SetTrackProc(dialog, DialogTrackProc);
    Suite()->SetNotifyProc(dialog, DialogNotifyProc);
    Suite()->SetDestroyProc(dialog, DialogDestroyProc);
    return kSPNoError;
}

void CDialogWrapper::Draw(ADMDrawerRef drawer) {
    Suite()->DefaultDraw(dialog, drawer);
}

bool CDialogWrapper::Track(ADMTrackerRef tracker) {
    return Suite()->DefaultTrack(dialog, tracker) != 0;
}

void CDialogWrapper::Notify(ADMNotifierRef notifier) {
    Suite()->DefaultNotify(dialog, notifier);
}

void CDialogWrapper::Destroying() {}

CDialogWrapper::~CDialogWrapper() {
    if (dialog != nullptr && !IsModal() && Suite() != nullptr) {
        // Detached first, so that destroying it does not call back into
        // this half-destroyed object.
        Suite()->SetUserData(dialog, nullptr);
        Suite()->SetDrawProc(dialog, nullptr);
        Suite()->SetNotifyProc(dialog, nullptr);
        Suite()->SetDestroyProc(dialog, nullptr);
        Suite()->Destroy(dialog);
    }
    dialog = nullptr;
}

ADMDialogRef CDialogWrapper::Create(void* pluginRef, const char* name, int32_t dialogId,
                                    int32_t style, int32_t options) {
    // When init fails the toolkit destroys the dialog again, and with it
    // this object: nothing of it may be touched then.
    ADMDialogRef made =
        Suite()->Create(pluginRef, name, dialogId, style, DialogInitProc, this, options);
    if (made != nullptr) {
        dialog = made;
    }
    return made;
}

int32_t CDialogWrapper::Modal(void* pluginRef, const char* name, int32_t dialogId, int32_t style,
                              int32_t options) {
    modal = 1;
    return Suite()->Modal(pluginRef, name, dialogId, style, DialogInitProc, this, options);
}
