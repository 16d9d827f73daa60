// "ADM Item Suite" 4 over DialogToolkit.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/CallerBuffer.h"
#include "host/dialog/DialogToolkit.h"
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
                               ADMUserData userData, int32_t /*options*/) {
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

void HOSTAPI_CALL SetPictureID(ADMItemRef item, int32_t pictureID, const char* /*pictureName*/) {
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

const ADMItemSuite itemSuite = {Create,
                                Destroy,
                                SetDrawProc,
                                SetTrackProc,
                                SetNotifyProc,
                                SetDestroyProc,
                                SetTextToFloatProc,
                                SetFloatToTextProc,
                                SetUserData,
                                GetUserData,
                                DefaultDraw,
                                DefaultTrack,
                                DefaultNotify,
                                DefaultTextToFloat,
                                DefaultFloatToText,
                                GetMask,
                                SetMask,
                                GetID,
                                Enable,
                                IsEnabled,
                                Show,
                                IsVisible,
                                SetBoundsRect,
                                GetBoundsRect,
                                GetLocalRect,
                                Invalidate,
                                Update,
                                SetText,
                                GetText,
                                SetTipString,
                                SetPictureID,
                                SetItemStyle,
                                SetUnits,
                                SetAllowUnits,
                                SetMinIntValue,
                                SetMaxIntValue,
                                SetIntValue,
                                GetIntValue,
                                SetBooleanValue,
                                GetBooleanValue,
                                GetList};

}  // namespace

const ADMItemSuite* ItemSuiteTable() {
    return &itemSuite;
}

}  // namespace oxhost
