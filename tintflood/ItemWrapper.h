// An object over one item of the host's toolkit: the item's callbacks arrive
// as virtual operations. The object belongs to its item: the toolkit's
// destroy callback deletes it, so it must be made with new.
#pragma once

#include <cstdint>

#include "ADMTypes.h"

class CItemWrapper {
public:
    // Wraps an existing item (may be null): becomes its user data and takes
    // its draw, track, notify, destroy and text conversion callbacks.
    CItemWrapper(ADMItemRef item, int32_t value);
    CItemWrapper(const CItemWrapper&) = delete;
    CItemWrapper& operator=(const CItemWrapper&) = delete;

    virtual SPErr Init();
    virtual void Draw(ADMDrawerRef drawer);
    // True asks the toolkit to notify the item.
    virtual bool Track(ADMTrackerRef tracker);
    virtual void Notify(ADMNotifierRef notifier);
    virtual bool TextToFloat(const char* text, float* number);
    virtual bool FloatToText(float number, char* text, int32_t maxLength);
    virtual void DispatchDraw(ADMDrawerRef drawer);
    // Detaches from the item; destroys the item too unless the toolkit is
    // destroying it already.
    virtual ~CItemWrapper();
    // Makes a new item of `type` around this object.
    virtual ADMItemRef Create(ADMDialogRef dialog, int32_t itemId, const char* type,
                              const ADMRect* bounds);

    ADMItemRef Item() const { return item; }
    int32_t Value() const { return value; }

protected:
    ADMItemRef item;

private:
    friend SPErr HOSTAPI_CALL ItemInitProc(ADMItemRef item);
    friend void HOSTAPI_CALL ItemDestroyProc(ADMItemRef item);

    void AttachCallbacks();

    int32_t value;
    bool itemGone = false;  // the toolkit is destroying the item
};

// The toolkit's callbacks; each finds its object through the item's user data.
SPErr HOSTAPI_CALL ItemInitProc(ADMItemRef item);
void HOSTAPI_CALL ItemDrawProc(ADMItemRef item, ADMDrawerRef drawer);
ADMBoolean HOSTAPI_CALL ItemTrackProc(ADMItemRef item, ADMTrackerRef tracker);
void HOSTAPI_CALL ItemNotifyProc(ADMItemRef item, ADMNotifierRef notifier);
void HOSTAPI_CALL ItemDestroyProc(ADMItemRef item);
ADMBoolean HOSTAPI_CALL ItemTextToFloatProc(ADMItemRef item, const char* text, float* number);
ADMBoolean HOSTAPI_CALL ItemFloatToTextProc(ADMItemRef item, float number, char* text,
                                            int32_t maxLength);
