// "ADM Dialog Suite" 5 over DialogToolkit.
#include "host/dialog/DialogToolkit.h"
#include "host/dialog/ToolkitSuites.h"

namespace oxhost {
namespace {

DialogToolkit& Toolkit() {
    return DialogToolkit::Instance();
}

ToolkitDialog* Find(ADMDialogRef dialog) {
    return Toolkit().FindDialog(dialog);
}

ADMDialogRef HOSTAPI_CALL Create(ADMPluginRef plugin, const char* name, int32_t dialogID,
                                 int32_t /*style*/, ADMDialogInitProc initProc,
                                 ADMUserData userData, int32_t /*options*/) {
    return DialogToolkit::Ref(Toolkit().CreateDialog(plugin, name, dialogID, initProc, userData));
}

int32_t HOSTAPI_CALL Modal(ADMPluginRef plugin, const char* name, int32_t dialogID,
                           int32_t /*style*/, ADMDialogInitProc initProc, ADMUserData userData,
                           int32_t /*options*/) {
    return Toolkit().RunModal(plugin, name, dialogID, initProc, userData);
}

void HOSTAPI_CALL Destroy(ADMDialogRef dialog) {
    if (ToolkitDialog* found = Find(dialog)) {
        Toolkit().DestroyDialog(*found);
    }
}

void HOSTAPI_CALL SetDrawProc(ADMDialogRef dialog, ADMDialogDrawProc proc) {
    if (ToolkitDialog* found = Find(dialog)) {
        found->callbacks.draw = proc;
    }
}

void HOSTAPI_CALL SetTrackProc(ADMDialogRef dialog, ADMDialogTrackProc proc) {
    if (ToolkitDialog* found = Find(dialog)) {
        found->callbacks.track = proc;
    }
}

void HOSTAPI_CALL SetNotifyProc(ADMDialogRef dialog, ADMDialogNotifyProc proc) {
    if (ToolkitDialog* found = Find(dialog)) {
        found->callbacks.notify = proc;
    }
}

void HOSTAPI_CALL SetDestroyProc(ADMDialogRef dialog, ADMDialogDestroyProc proc) {
    if (ToolkitDialog* found = Find(dialog)) {
        found->callbacks.destroy = proc;
    }
}

void HOSTAPI_CALL SetUserData(ADMDialogRef dialog, ADMUserData userData) {
    if (ToolkitDialog* found = Find(dialog)) {
        found->userData = userData;
    }
}

ADMUserData HOSTAPI_CALL GetUserData(ADMDialogRef dialog) {
    ToolkitDialog* found = Find(dialog);
    return found != nullptr ? found->userData : nullptr;
}

void HOSTAPI_CALL DefaultDraw(ADMDialogRef /*dialog*/, ADMDrawerRef /*drawer*/) {}

ADMBoolean HOSTAPI_CALL DefaultTrack(ADMDialogRef /*dialog*/, ADMTrackerRef /*tracker*/) {
    return 0;
}

void HOSTAPI_CALL DefaultNotify(ADMDialogRef dialog, ADMNotifierRef notifier) {
    ToolkitDialog* found = Find(dialog);
    if (found != nullptr && notifier != nullptr) {
        Toolkit().DefaultDialogNotify(*found, *reinterpret_cast<Notification*>(notifier));
    }
}

void HOSTAPI_CALL GetLocalRect(ADMDialogRef dialog, ADMRect* rect) {
    ToolkitDialog* found = Find(dialog);
    if (found != nullptr && rect != nullptr) {
        *rect = found->localRect;
    }
}

void HOSTAPI_CALL SetLocalRect(ADMDialogRef dialog, const ADMRect* rect) {
    ToolkitDialog* found = Find(dialog);
    if (found != nullptr && rect != nullptr) {
        // A local rectangle sits at (0, 0); only its size counts.
        found->localRect = {0, 0, rect->right - rect->left, rect->bottom - rect->top};
    }
}

int32_t HOSTAPI_CALL GetDefaultItemID(ADMDialogRef dialog) {
    ToolkitDialog* found = Find(dialog);
    return found != nullptr ? found->defaultItemId : 0;
}

int32_t HOSTAPI_CALL GetCancelItemID(ADMDialogRef dialog) {
    ToolkitDialog* found = Find(dialog);
    return found != nullptr ? found->cancelItemId : 0;
}

ADMItemRef HOSTAPI_CALL GetItem(ADMDialogRef dialog, int32_t itemID) {
    ToolkitDialog* found = Find(dialog);
    return found != nullptr ? DialogToolkit::Ref(found->FindItem(itemID)) : nullptr;
}

ADMItemRef HOSTAPI_CALL CreateItem(ADMDialogRef dialog, int32_t itemID, const char* itemType,
                                   const ADMRect* bounds, ADMItemInitProc initProc,
                                   ADMUserData userData, int32_t /*options*/) {
    ToolkitDialog* found = Find(dialog);
    if (found == nullptr) {
        return nullptr;
    }
    return DialogToolkit::Ref(
        Toolkit().CreateItem(*found, itemID, itemType, bounds, initProc, userData));
}

void HOSTAPI_CALL SetText(ADMDialogRef dialog, const char* text) {
    if (ToolkitDialog* found = Find(dialog)) {
        found->caption = text != nullptr ? text : "";
    }
}

const ADMDialogSuite dialogSuite = {Create,       Modal,         Destroy,          SetDrawProc,
                                    SetTrackProc, SetNotifyProc, SetDestroyProc,   SetUserData,
                                    GetUserData,  DefaultDraw,   DefaultTrack,     DefaultNotify,
                                    GetLocalRect, SetLocalRect,  GetDefaultItemID, GetCancelItemID,
                                    GetItem,      CreateItem,    SetText};

}  // namespace

const ADMDialogSuite* DialogSuiteTable() {
    return &dialogSuite;
}

}  // namespace oxhost
