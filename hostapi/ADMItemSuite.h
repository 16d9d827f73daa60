/* "ADM Item Suite" version 4: one control of a dialog. The order of the
   entries is this system's own; no published layout is followed. Calls on a
   reference the toolkit does not know (an item already destroyed) do nothing
   and give 0, false or null. */
#ifndef HOSTAPI_ADMITEMSUITE_H
#define HOSTAPI_ADMITEMSUITE_H

#include "ADMTypes.h"

#define kADMItemSuiteName "ADM Item Suite"
#define kADMItemSuiteVersion 4

#include "RecordPackingBegin.h"

typedef struct ADMItemSuite {
    /* Same as the Dialog suite's CreateItem. */
    ADMItemRef(HOSTAPI_CALL* Create)(ADMDialogRef dialog, int32_t itemID, const char* itemType,
                                     const ADMRect* bounds, ADMItemInitProc initProc,
                                     ADMUserData userData, int32_t options);
    /* Removes the item from its dialog, calling its destroy callback first. */
    void(HOSTAPI_CALL* Destroy)(ADMItemRef item);

    /* Attach callbacks; null restores the default behaviour. */
    void(HOSTAPI_CALL* SetDrawProc)(ADMItemRef item, ADMItemDrawProc drawProc);
    void(HOSTAPI_CALL* SetTrackProc)(ADMItemRef item, ADMItemTrackProc trackProc);
    void(HOSTAPI_CALL* SetNotifyProc)(ADMItemRef item, ADMItemNotifyProc notifyProc);
    void(HOSTAPI_CALL* SetDestroyProc)(ADMItemRef item, ADMItemDestroyProc destroyProc);
    void(HOSTAPI_CALL* SetTextToFloatProc)(ADMItemRef item, ADMItemTextToFloatProc proc);
    void(HOSTAPI_CALL* SetFloatToTextProc)(ADMItemRef item, ADMItemFloatToTextProc proc);
    void(HOSTAPI_CALL* SetUserData)(ADMItemRef item, ADMUserData userData);
    ADMUserData(HOSTAPI_CALL* GetUserData)(ADMItemRef item);

    /* What the toolkit does without a callback. DefaultDraw draws nothing of
       its own; DefaultTrack gives false; DefaultNotify passes the
       notification on to the dialog's notify callback (or its default). */
    void(HOSTAPI_CALL* DefaultDraw)(ADMItemRef item, ADMDrawerRef drawer);
    ADMBoolean(HOSTAPI_CALL* DefaultTrack)(ADMItemRef item, ADMTrackerRef tracker);
    void(HOSTAPI_CALL* DefaultNotify)(ADMItemRef item, ADMNotifierRef notifier);
    /* Decimal text to number and back; false for text that is no number. */
    ADMBoolean(HOSTAPI_CALL* DefaultTextToFloat)(ADMItemRef item, const char* text, float* value);
    ADMBoolean(HOSTAPI_CALL* DefaultFloatToText)(ADMItemRef item, float value, char* text,
                                                 int32_t maxLength);

    /* Actions the track callback is called for (kADM...Mask bits). */
    ADMActionMask(HOSTAPI_CALL* GetMask)(ADMItemRef item);
    void(HOSTAPI_CALL* SetMask)(ADMItemRef item, ADMActionMask mask);

    int32_t(HOSTAPI_CALL* GetID)(ADMItemRef item);
    void(HOSTAPI_CALL* Enable)(ADMItemRef item, ADMBoolean enable);
    ADMBoolean(HOSTAPI_CALL* IsEnabled)(ADMItemRef item);
    void(HOSTAPI_CALL* Show)(ADMItemRef item, ADMBoolean show);
    ADMBoolean(HOSTAPI_CALL* IsVisible)(ADMItemRef item);

    /* Place in the dialog; the local rectangle is the same size at (0, 0). */
    void(HOSTAPI_CALL* SetBoundsRect)(ADMItemRef item, const ADMRect* bounds);
    void(HOSTAPI_CALL* GetBoundsRect)(ADMItemRef item, ADMRect* bounds);
    void(HOSTAPI_CALL* GetLocalRect)(ADMItemRef item, ADMRect* rect);
    /* Marks the item to be drawn again; Update draws it now when it is marked. */
    void(HOSTAPI_CALL* Invalidate)(ADMItemRef item);
    void(HOSTAPI_CALL* Update)(ADMItemRef item);

    /* Text shown by the item; the toolkit keeps its own copies. */
    void(HOSTAPI_CALL* SetText)(ADMItemRef item, const char* text);
    /* Copies the text, cut to maxLength - 1 characters and terminated. */
    void(HOSTAPI_CALL* GetText)(ADMItemRef item, char* text, int32_t maxLength);
    void(HOSTAPI_CALL* SetTipString)(ADMItemRef item, const char* tip);
    /* Picture resource of the plug-in shown by a picture button. */
    void(HOSTAPI_CALL* SetPictureID)(ADMItemRef item, int32_t pictureID, const char* pictureName);
    /* Style of the item's kind (kADMEtchedFrameStyle for a frame). */
    void(HOSTAPI_CALL* SetItemStyle)(ADMItemRef item, int32_t style);
    /* Units a number field shows (kADMNoUnits, kADMPixelUnits) and whether
       the user may type them. */
    void(HOSTAPI_CALL* SetUnits)(ADMItemRef item, int32_t units);
    void(HOSTAPI_CALL* SetAllowUnits)(ADMItemRef item, ADMBoolean allow);

    /* Number fields keep their value within [minimum, maximum]; setting a
       bound moves a value outside it onto it. */
    void(HOSTAPI_CALL* SetMinIntValue)(ADMItemRef item, int32_t minimum);
    void(HOSTAPI_CALL* SetMaxIntValue)(ADMItemRef item, int32_t maximum);
    void(HOSTAPI_CALL* SetIntValue)(ADMItemRef item, int32_t value);
    int32_t(HOSTAPI_CALL* GetIntValue)(ADMItemRef item);
    /* On/off state of check boxes and radio buttons; turning a radio button
       on turns the other radio buttons of its dialog off. */
    void(HOSTAPI_CALL* SetBooleanValue)(ADMItemRef item, ADMBoolean value);
    ADMBoolean(HOSTAPI_CALL* GetBooleanValue)(ADMItemRef item);

    /* The entries of a popup list item; null for other kinds. */
    ADMListRef(HOSTAPI_CALL* GetList)(ADMItemRef item);
} ADMItemSuite;

#include "RecordPackingEnd.h"

#endif
