// "ADM Item Suite" 4 over DialogToolkit.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/CallerBuffer.h"
#include "host/dialog/DialogToolkit.h"
#include "host/dialog/NotServed.h"
#include "host/dialog/ToolkitSuites.h"

namespace oxhost {
namespace {

DialogToolkit& Toolkit() {
    return DialogToolkit::Instance();
}

ToolkitItem* Find(ADMItemRef item) {
    return Toolkit().FindItem(item);
}

std::string TextOrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

ADMItemRef HOSTAPI_CALL Create(ADMDialogRef dialog, int32_t itemID, const char* itemType,
                               const ADMRect* bounds, ADMItemInitProc initProc,
                               ADMUserData userData) {
    ToolkitDialog* found = Toolkit().FindDialog(dialog);
    if (found == nullptr) {
        return nullptr;
    }
    return DialogToolkit::Ref(
        Toolkit().CreateItem(*found, itemID, itemType, bounds, initProc, userData));
}

void HOSTAPI_CALL Destroy(ADMItemRef item) {
    if (ToolkitItem* found = Find(item)) {
        Toolkit().DestroyItem(*found);
    }
}

void HOSTAPI_CALL SetDrawProc(ADMItemRef item, ADMItemDrawProc proc) {
    if (ToolkitItem* found = Find(item)) {
        found->callbacks.draw = proc;
    }
}

void HOSTAPI_CALL SetTrackProc(ADMItemRef item, ADMItemTrackProc proc) {
    if (ToolkitItem* found = Find(item)) {
        found->callbacks.track = proc;
    }
}

void HOSTAPI_CALL SetNotifyProc(ADMItemRef item, ADMItemNotifyProc proc) {
    if (ToolkitItem* found = Find(item)) {
        found->callbacks.notify = proc;
    }
}

void HOSTAPI_CALL SetDestroyProc(ADMItemRef item, ADMItemDestroyProc proc) {
    if (ToolkitItem* found = Find(item)) {
        found->callbacks.destroy = proc;
    }
}

void HOSTAPI_CALL SetTextToFloatProc(ADMItemRef item, ADMItemTextToFloatProc proc) {
    if (ToolkitItem* found = Find(item)) {
        found->callbacks.textToFloat = proc;
    }
}

void HOSTAPI_CALL SetFloatToTextProc(ADMItemRef item, ADMItemFloatToTextProc proc) {
    if (ToolkitItem* found = Find(item)) {
        found->callbacks.floatToText = proc;
    }
}

void HOSTAPI_CALL SetUserData(ADMItemRef item, ADMUserData userData) {
    if (ToolkitItem* found = Find(item)) {
        found->userData = userData;
    }
}

ADMUserData HOSTAPI_CALL GetUserData(ADMItemRef item) {
    ToolkitItem* found = Find(item);
    return found != nullptr ? found->userData : nullptr;
}

void HOSTAPI_CALL DefaultDraw(ADMItemRef /*item*/, ADMDrawerRef /*drawer*/) {}

ADMBoolean HOSTAPI_CALL DefaultTrack(ADMItemRef /*item*/, ADMTrackerRef /*tracker*/) {
    return 0;
}

void HOSTAPI_CALL DefaultNotify(ADMItemRef item, ADMNotifierRef notifier) {
    ToolkitItem* found = Find(item);
    if (found != nullptr && notifier != nullptr) {
        Toolkit().DefaultItemNotify(*found, *reinterpret_cast<Notification*>(notifier));
    }
}

ADMBoolean HOSTAPI_CALL DefaultTextToFloat(ADMItemRef /*item*/, const char* text, float* value) {
    if (text == nullptr || value == nullptr) {
        return 0;
    }
    char* end = nullptr;
    const float number = std::strtof(text, &end);
    if (end == text) {
        return 0;
    }
    *value = number;
    return 1;
}

ADMBoolean HOSTAPI_CALL DefaultFloatToText(ADMItemRef /*item*/, float value, char* text,
                                           int32_t maxLength) {
    if (text == nullptr || maxLength <= 0) {
        return 0;
    }
    char formatted[64];
    std::snprintf(formatted, sizeof(formatted), "%g", double(value));
    CopyToCallerBuffer(formatted, text, maxLength);
    return 1;
}

ADMActionMask HOSTAPI_CALL GetMask(ADMItemRef item) {
    ToolkitItem* found = Find(item);
    return found != nullptr ? found->mask : 0;
}

void HOSTAPI_CALL SetMask(ADMItemRef item, ADMActionMask mask) {
    if (ToolkitItem* found = Find(item)) {
        found->mask = mask;
    }
}

int32_t HOSTAPI_CALL GetID(ADMItemRef item) {
    ToolkitItem* found = Find(item);
    return found != nullptr ? found->id : 0;
}

void HOSTAPI_CALL Enable(ADMItemRef item, ADMBoolean enable) {
    if (ToolkitItem* found = Find(item)) {
        found->enabled = enable != 0;
    }
}

ADMBoolean HOSTAPI_CALL IsEnabled(ADMItemRef item) {
    ToolkitItem* found = Find(item);
    return found != nullptr && found->enabled;
}

void HOSTAPI_CALL Show(ADMItemRef item, ADMBoolean show) {
    if (ToolkitItem* found = Find(item)) {
        found->visible = show != 0;
    }
}

ADMBoolean HOSTAPI_CALL IsVisible(ADMItemRef item) {
    ToolkitItem* found = Find(item);
    return found != nullptr && found->visible;
}

void HOSTAPI_CALL SetBoundsRect(ADMItemRef item, const ADMRect* bounds) {
    ToolkitItem* found = Find(item);
    if (found != nullptr && bounds != nullptr) {
        found->bounds = *bounds;
    }
}

void HOSTAPI_CALL GetBoundsRect(ADMItemRef item, ADMRect* bounds) {
    ToolkitItem* found = Find(item);
    if (found != nullptr && bounds != nullptr) {
        *bounds = found->bounds;
    }
}

void HOSTAPI_CALL GetLocalRect(ADMItemRef item, ADMRect* rect) {
    ToolkitItem* found = Find(item);
    if (found != nullptr && rect != nullptr) {
        *rect = found->LocalRect();
    }
}

void HOSTAPI_CALL Invalidate(ADMItemRef item) {
    if (ToolkitItem* found = Find(item)) {
        found->invalid = true;
    }
}

void HOSTAPI_CALL Update(ADMItemRef item) {
    ToolkitItem* found = Find(item);
    if (found != nullptr && found->invalid) {
        Toolkit().DrawItem(*found);
    }
}

void HOSTAPI_CALL SetText(ADMItemRef item, const char* text) {
    if (ToolkitItem* found = Find(item)) {
        found->text = TextOrEmpty(text);
    }
}

void HOSTAPI_CALL GetText(ADMItemRef item, char* text, int32_t maxLength) {
    ToolkitItem* found = Find(item);
    CopyToCallerBuffer(found != nullptr ? found->text : std::string(), text, maxLength);
}

void HOSTAPI_CALL SetTipString(ADMItemRef item, const char* tip) {
    if (ToolkitItem* found = Find(item)) {
        found->tip = TextOrEmpty(tip);
    }
}

void HOSTAPI_CALL SetPictureID(ADMItemRef item, int32_t pictureID) {
    if (ToolkitItem* found = Find(item)) {
        found->pictureId = pictureID;
    }
}

void HOSTAPI_CALL SetItemStyle(ADMItemRef item, int32_t style) {
    if (ToolkitItem* found = Find(item)) {
        found->style = style;
    }
}

void HOSTAPI_CALL SetUnits(ADMItemRef item, int32_t units) {
    if (ToolkitItem* found = Find(item)) {
        found->units = units;
    }
}

void HOSTAPI_CALL SetAllowUnits(ADMItemRef item, ADMBoolean allow) {
    if (ToolkitItem* found = Find(item)) {
        found->allowUnits = allow != 0;
    }
}

void HOSTAPI_CALL SetMinIntValue(ADMItemRef item, int32_t minimum) {
    if (ToolkitItem* found = Find(item)) {
        found->SetMinimum(minimum);
    }
}

void HOSTAPI_CALL SetMaxIntValue(ADMItemRef item, int32_t maximum) {
    if (ToolkitItem* found = Find(item)) {
        found->SetMaximum(maximum);
    }
}

void HOSTAPI_CALL SetIntValue(ADMItemRef item, int32_t value) {
    if (ToolkitItem* found = Find(item)) {
        found->SetValue(value);
    }
}

int32_t HOSTAPI_CALL GetIntValue(ADMItemRef item) {
    ToolkitItem* found = Find(item);
    return found != nullptr ? found->value : 0;
}

void HOSTAPI_CALL SetBooleanValue(ADMItemRef item, ADMBoolean value) {
    if (ToolkitItem* found = Find(item)) {
        found->SetOn(value != 0);
    }
}

ADMBoolean HOSTAPI_CALL GetBooleanValue(ADMItemRef item) {
    ToolkitItem* found = Find(item);
    return found != nullptr && found->on;
}

ADMListRef HOSTAPI_CALL GetList(ADMItemRef item) {
    ToolkitItem* found = Find(item);
    return found != nullptr ? DialogToolkit::Ref(found->list.get()) : nullptr;
}

// Slots 0 to 126, in the published order; NotServed where this host has
// nothing to offer.
const ADMItemSuite itemSuite = {
    Create,                                        // 0
    Destroy,                                       // 1
    SetDrawProc,                                   // 2
    NotServed,                                     // 3 GetDrawProc
    DefaultDraw,                                   // 4
    SetTrackProc,                                  // 5
    NotServed,                                     // 6 GetTrackProc
    DefaultTrack,                                  // 7
    SetMask,                                       // 8
    GetMask,                                       // 9
    SetNotifyProc,                                 // 10
    NotServed,                                     // 11 GetNotifyProc
    DefaultNotify,                                 // 12
    NotServed,                                     // 13 SendNotify
    NotServed,                                     // 14 SetNotifierData
    NotServed,                                     // 15 GetNotifierData
    SetDestroyProc,                                // 16
    NotServed,                                     // 17 GetDestroyProc
    NotServed,                                     // 18 CreateTimer
    NotServed,                                     // 19 AbortTimer
    SetUserData,                                   // 20
    GetUserData,                                   // 21
    GetID,                                         // 22
    NotServed,                                     // 23 GetDialog
    NotServed,                                     // 24 GetWindowRef
    GetList,                                       // 25
    NotServed,                                     // 26 GetChildItem
    NotServed,                                     // 27 SetPluginRef
    NotServed,                                     // 28 GetPluginRef
    NotServed,                                     // 29 SetItemType
    NotServed,                                     // 30 GetItemType
    SetItemStyle,                                  // 31
    NotServed,                                     // 32 GetItemStyle
    Show,                                          // 33
    IsVisible,                                     // 34
    Enable,                                        // 35
    IsEnabled,                                     // 36
    NotServed,                                     // 37 Activate
    NotServed,                                     // 38 IsActive
    NotServed,                                     // 39 Known
    NotServed,                                     // 40 IsKnown
    NotServed,                                     // 41 SetLocalRect
    GetLocalRect,                                  // 42
    SetBoundsRect,                                 // 43
    GetBoundsRect,                                 // 44
    NotServed,                                     // 45 GetBestSize
    NotServed,                                     // 46 Move
    NotServed,                                     // 47 Size
    {NotServed, NotServed, NotServed, NotServed},  // 48-51 conversions
    Invalidate,                                    // 52
    NotServed,                                     // 53 InvalidateRect
    Update,                                        // 54
    NotServed,                                     // 55 SetCursorID
    NotServed,                                     // 56 GetCursorID
    SetPictureID,                                  // 57
    NotServed,                                     // 58 GetPictureID
    NotServed,                                     // 59 SetSelectedPictureID
    NotServed,                                     // 60 GetSelectedPictureID
    NotServed,                                     // 61 SetDisabledPictureID
    NotServed,                                     // 62 GetDisabledPictureID
    SetTipString,                                  // 63
    NotServed,                                     // 64 GetTipString
    NotServed,                                     // 65 GetTipStringLength
    NotServed,                                     // 66 EnableTip
    NotServed,                                     // 67 IsTipEnabled
    NotServed,                                     // 68 ShowToolTip
    NotServed,                                     // 69 HideToolTip
    NotServed,                                     // 70 SetFont
    NotServed,                                     // 71 GetFont
    SetText,                                       // 72
    GetText,                                       // 73
    NotServed,                                     // 74 GetTextLength
    NotServed,                                     // 75 SetMaxTextLength
    NotServed,                                     // 76 GetMaxTextLength
    NotServed,                                     // 77 SelectAll
    NotServed,                                     // 78 SetSelectionRange
    NotServed,                                     // 79 GetSelectionRange
    NotServed,                                     // 80 SetJustify
    NotServed,                                     // 81 GetJustify
    SetUnits,                                      // 82
    NotServed,                                     // 83 GetUnits
    NotServed,                                     // 84 SetPrecision
    NotServed,                                     // 85 GetPrecision
    SetBooleanValue,                               // 86
    GetBooleanValue,                               // 87
    SetIntValue,                                   // 88
    GetIntValue,                                   // 89
    NotServed,                                     // 90 SetFixedValue
    NotServed,                                     // 91 GetFixedValue
    NotServed,                                     // 92 SetFloatValue
    NotServed,                                     // 93 GetFloatValue
    SetMinIntValue,                                // 94
    NotServed,                                     // 95 GetMinIntValue
    NotServed,                                     // 96 SetMinFixedValue
    NotServed,                                     // 97 GetMinFixedValue
    SetMaxIntValue,                                // 98
    NotServed,                                     // 99 GetMaxIntValue
    NotServed,                                     // 100 SetMinFloatValue
    NotServed,                                     // 101 GetMinFloatValue
    NotServed,                                     // 102 SetMaxFixedValue
    NotServed,                                     // 103 GetMaxFixedValue
    NotServed,                                     // 104 SetMaxFloatValue
    NotServed,                                     // 105 GetMaxFloatValue
    NotServed,                                     // 106 SetSmallIncrement
    NotServed,                                     // 107 GetSmallIncrement
    NotServed,                                     // 108 SetLargeIncrement
    NotServed,                                     // 109 GetLargeIncrement
    SetAllowUnits,                                 // 110
    NotServed,                                     // 111 GetAllowUnits
    NotServed,                                     // 112 SetAllowMath
    NotServed,                                     // 113 GetAllowMath
    SetFloatToTextProc,                            // 114
    NotServed,                                     // 115 GetFloatToTextProc
    DefaultFloatToText,                            // 116
    SetTextToFloatProc,                            // 117
    NotServed,                                     // 118 GetTextToFloatProc
    DefaultTextToFloat,                            // 119
    NotServed,                                     // 120 ShowUnits
    NotServed,                                     // 121 GetShowUnits
    NotServed,                                     // 122 WasPercentageChange
    NotServed,                                     // 123 SetHelpID
    NotServed,                                     // 124 GetHelpID
    NotServed,                                     // 125 Help
    NotServed,                                     // 126 GetHierarchyList
};

}  // namespace

const ADMItemSuite* ItemSuiteTable() {
    return &itemSuite;
}

}  // namespace oxhost
