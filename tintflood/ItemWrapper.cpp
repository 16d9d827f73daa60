#include "ItemWrapper.h"

#include "DialogSuites.h"

namespace {

const ADMItemSuite* Suite() {
    return DialogSuites.item;
}

CItemWrapper* ObjectOf(ADMItemRef item) {
    if (Suite() == nullptr || item == nullptr) {
        return nullptr;
    }
    return static_cast<CItemWrapper*>(Suite()->GetUserData(item));
}

}  // namespace

// The callbacks are the only way back from the host's C toolkit: nothing
// may escape them.

SPErr HOSTAPI_CALL ItemInitProc(ADMItemRef item) {
    try {
        CItemWrapper* object = ObjectOf(item);
        if (object == nullptr) {
            return kADMBadParameterError;
        }
        object->item = item;
        return object->Init();
    } catch (...) {
        return kADMBadParameterError;
    }
}

void HOSTAPI_CALL ItemDrawProc(ADMItemRef item, ADMDrawerRef drawer) {
    try {
        if (CItemWrapper* object = ObjectOf(item)) {
            object->DispatchDraw(drawer);
        }
    } catch (...) {
    }
}

ADMBoolean HOSTAPI_CALL ItemTrackProc(ADMItemRef item, ADMTrackerRef tracker) {
    try {
        CItemWrapper* object = ObjectOf(item);
        return object != nullptr && object->Track(tracker);
    } catch (...) {
        return 0;
    }
}

void HOSTAPI_CALL ItemNotifyProc(ADMItemRef item, ADMNotifierRef notifier) {
    try {
        if (CItemWrapper* object = ObjectOf(item)) {
            object->Notify(notifier);
        }
    } catch (...) {
    }
}

void HOSTAPI_CALL ItemDestroyProc(ADMItemRef item) {
    if (CItemWrapper* object = ObjectOf(item)) {
        object->itemGone = true;
        delete object;
    }
}

ADMBoolean HOSTAPI_CALL ItemTextToFloatProc(ADMItemRef item, const char* text, float* number) {
    try {
        CItemWrapper* object = ObjectOf(item);
        return object != nullptr && object->TextToFloat(text, number);
    } catch (...) {
        return 0;
    }
}

ADMBoolean HOSTAPI_CALL ItemFloatToTextProc(ADMItemRef item, float number, char* text,
                                            int32_t maxLength) {
    try {
        CItemWrapper* object = ObjectOf(item);
        return object != nullptr && object->FloatToText(number, text, maxLength);
    } catch (...) {
        return 0;
    }
}

CItemWrapper::CItemWrapper(ADMItemRef item, int32_t value) : item(item), value(value) {
    if (item != nullptr && Suite() != nullptr) {
        Suite()->SetUserData(item, this);
        AttachCallbacks();
    }
}

void CItemWrapper::AttachCallbacks() {
    Suite()->SetDrawProc(item, ItemDrawProc);
    Suite()->SetTrackProc(item, ItemTrackProc);
    Suite()->SetNotifyProc(item, ItemNotifyProc);
    Suite()->SetDestroyProc(item, ItemDestroyProc);
    Suite()->SetTextToFloatProc(item, ItemTextToFloatProc);
    Suite()->SetFloatToTextProc(item, ItemFloatToTextProc);
}

SPErr CItemWrapper::Init() {
    return kSPNoError;
}

void CItemWrapper::Draw(ADMDrawerRef drawer) {
    Suite()->DefaultDraw(item, drawer);
}

bool CItemWrapper::Track(ADMTrackerRef tracker) {
    return Suite()->DefaultTrack(item, tracker) != 0;
}

void CItemWrapper::Notify(ADMNotifierRef notifier) {
    Suite()->DefaultNotify(item, notifier);
}

bool CItemWrapper::TextToFloat(const char* text, float* number) {
    return Suite()->DefaultTextToFloat(item, text, number) != 0;
}

bool CItemWrapper::FloatToText(float number, char* text, int32_t maxLength) {
    return Suite()->DefaultFloatToText(item, number, text, maxLength) != 0;
}

void CItemWrapper::DispatchDraw(ADMDrawerRef drawer) {
    Draw(drawer);
}

CItemWrapper::~CItemWrapper() {
    if (item != nullptr && Suite() != nullptr) {
        Suite()->SetUserData(item, nullptr);
        Suite()->SetDrawProc(item, nullptr);
        Suite()->SetNotifyProc(item, nullptr);
        Suite()->SetDestroyProc(item, nullptr);
        Suite()->SetTextToFloatProc(item, nullptr);
        Suite()->SetFloatToTextProc(item, nullptr);
        if (!itemGone) {
            Suite()->Destroy(item);
        }
    }
    item = nullptr;
}

ADMItemRef CItemWrapper::Create(ADMDialogRef dialog, int32_t itemId, const char* type,
                                const ADMRect* bounds) {
    ADMItemRef made = Suite()->Create(dialog, itemId, type, bounds, ItemInitProc, this);
    if (made != nullptr) {
        item = made;
        AttachCallbacks();
    }
    return made;
}
