// "ADM Dialog Suite" 5 over DialogToolkit.
#include "host/dialog/DialogToolkit.h"
#include "host/dialog/NotServed.h"
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
    if (found == nullptr) {
        return nullptr;
    }
    // The published pseudo ids name whichever items end the dialog.
    if (itemID == kADMDefaultItemID) {
        itemID = found->defaultItemId;
    } else if (itemID == kADMCancelItemID) {
        itemID = found->cancelItemId;
    }
    return DialogToolkit::Ref(found->FindItem(itemID));
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

// Every one of the 90 slots, in the published order; NotServed where this
// host has nothing to offer.
const ADMDialogSuite dialogSuite = {
    Create,                                        // 0
    Modal,                                         // 1
    NotServed,                                     // 2 PopupModal
    NotServed,                                     // 3 DisplayAsModal
    Destroy,                                       // 4
    SetDrawProc,                                   // 5
    NotServed,                                     // 6 GetDrawProc
    DefaultDraw,                                   // 7
    SetTrackProc,                                  // 8
    NotServed,                                     // 9 GetTrackProc
    DefaultTrack,                                  // 10
    NotServed,                                     // 11 SetMask
    NotServed,                                     // 12 GetMask
    SetNotifyProc,                                 // 13
    NotServed,                                     // 14 GetNotifyProc
    DefaultNotify,                                 // 15
    NotServed,                                     // 16 SendNotify
    NotServed,                                     // 17 SetNotifierData
    NotServed,                                     // 18 GetNotifierData
    SetDestroyProc,                                // 19
    NotServed,                                     // 20 GetDestroyProc
    NotServed,                                     // 21 CreateTimer
    NotServed,                                     // 22 AbortTimer
    SetUserData,                                   // 23
    GetUserData,                                   // 24
    NotServed,                                     // 25 GetDialogName
    NotServed,                                     // 26 GetID
    NotServed,                                     // 27 GetPluginRef
    NotServed,                                     // 28 GetWindowRef
    NotServed,                                     // 29 SetDialogStyle
    NotServed,                                     // 30 GetDialogStyle
    NotServed,                                     // 31 Show
    NotServed,                                     // 32 IsVisible
    NotServed,                                     // 33 Enable
    NotServed,                                     // 34 IsEnabled
    NotServed,                                     // 35 Activate
    NotServed,                                     // 36 IsActive
    SetLocalRect,                                  // 37
    GetLocalRect,                                  // 38
    NotServed,                                     // 39 SetBoundsRect
    NotServed,                                     // 40 GetBoundsRect
    NotServed,                                     // 41 Move
    NotServed,                                     // 42 Size
    {NotServed, NotServed, NotServed, NotServed},  // 43-46 conversions
    NotServed,                                     // 47 Invalidate
    NotServed,                                     // 48 InvalidateRect
    NotServed,                                     // 49 Update
    NotServed,                                     // 50 SetCursorID
    NotServed,                                     // 51 GetCursorID
    NotServed,                                     // 52 SetFont
    NotServed,                                     // 53 GetFont
    SetText,                                       // 54
    NotServed,                                     // 55 GetText
    NotServed,                                     // 56 GetTextLength
    {NotServed, NotServed, NotServed, NotServed, NotServed, NotServed, NotServed, NotServed,
     NotServed, NotServed, NotServed, NotServed},  // 57-68 size limits
    GetItem,                                       // 69
    CreateItem,                                    // 70
    NotServed,                                     // 71 DestroyItem
    NotServed,                                     // 72 GetNextItem
    NotServed,                                     // 73 GetPreviousItem
    NotServed,                                     // 74 SetDefaultItemID
    GetDefaultItemID,                              // 75
    NotServed,                                     // 76 SetCancelItemID
    GetCancelItemID,                               // 77
    NotServed,                                     // 78 EndModal
    NotServed,                                     // 79 RegisterItemType
    NotServed,                                     // 80 UnregisterItemType
    NotServed,                                     // 81 LoadToolTips
    NotServed,                                     // 82 SetHelpID
    NotServed,                                     // 83 GetHelpID
    NotServed,                                     // 84 Help
    NotServed,                                     // 85 IsCollapsed
    NotServed,                                     // 86 CreateGroupInDialog
    NotServed,                                     // 87 SetWindowRef
    NotServed,                                     // 88 SetDialogName
    NotServed,                                     // 89 IsDialogContextHidden
};

}  // namespace

const ADMDialogSuite* DialogSuiteTable() {
    return &dialogSuite;
}

}  // namespace oxhost
