/* "ADM Item Suite" version 4: one control of a dialog. Slots 0 to 126, in
   the order hosts lay them out (the number before each is its slot); hosts
   add later slots that no plug-in may rely on, so none is declared. Calls
   on a reference the toolkit does not know (an item already destroyed) do
   nothing and give 0, false or null. */
#ifndef HOSTAPI_ADMITEMSUITE_H
#define HOSTAPI_ADMITEMSUITE_H

#include "ADMTypes.h"

#define kADMItemSuiteName "ADM Item Suite"
#define kADMItemSuiteVersion 4

#include "RecordPackingBegin.h"

typedef struct ADMItemSuite {
    /* 0: Same as the Dialog suite's CreateItem, without its options. */
    ADMItemRef(HOSTAPI_CALL* Create)(ADMDialogRef dialog, int32_t itemID, const char* itemType,
                                     const ADMRect* bounds, ADMItemInitProc initProc,
                                     ADMUserData userData);
    /* 1: Removes the item from its dialog, calling its destroy callback first. */
    void(HOSTAPI_CALL* Destroy)(ADMItemRef item);

    /* 2-7: Draw and track callbacks; null restores the default behaviour.
       DefaultDraw draws nothing of the toolkit's own; DefaultTrack gives
       false. */
    void(HOSTAPI_CALL* SetDrawProc)(ADMItemRef item, ADMItemDrawProc drawProc);
    ADMItemDrawProc(HOSTAPI_CALL* GetDrawProc)(ADMItemRef item);
    void(HOSTAPI_CALL* DefaultDraw)(ADMItemRef item, ADMDrawerRef drawer);
    void(HOSTAPI_CALL* SetTrackProc)(ADMItemRef item, ADMItemTrackProc trackProc);
    ADMItemTrackProc(HOSTAPI_CALL* GetTrackProc)(ADMItemRef item);
    ADMBoolean(HOSTAPI_CALL* DefaultTrack)(ADMItemRef item, ADMTrackerRef tracker);
    /* 8-9: Actions the track callback is called for (kADM...Mask bits). */
    void(HOSTAPI_CALL* SetMask)(ADMItemRef item, ADMActionMask mask);
    ADMActionMask(HOSTAPI_CALL* GetMask)(ADMItemRef item);
    /* 10-12: Notify callback. DefaultNotify passes the notification on to
       the dialog's notify callback (or its default). */
    void(HOSTAPI_CALL* SetNotifyProc)(ADMItemRef item, ADMItemNotifyProc notifyProc);
    ADMItemNotifyProc(HOSTAPI_CALL* GetNotifyProc)(ADMItemRef item);
    void(HOSTAPI_CALL* DefaultNotify)(ADMItemRef item, ADMNotifierRef notifier);
    ADMUnusedSlot SendNotify;                                               /* 13 */
    void(HOSTAPI_CALL* SetNotifierData)(ADMItemRef item, ADMUserData data); /* 14 */
    ADMUserData(HOSTAPI_CALL* GetNotifierData)(ADMItemRef item);            /* 15 */
    /* 16-17: Destroy callback; null for none. */
    void(HOSTAPI_CALL* SetDestroyProc)(ADMItemRef item, ADMItemDestroyProc destroyProc);
    ADMItemDestroyProc(HOSTAPI_CALL* GetDestroyProc)(ADMItemRef item);
    ADMUnusedSlot CreateTimer; /* 18 */
    ADMUnusedSlot AbortTimer;  /* 19 */
    /* 20-21: The plug-in's pointer kept with the item. */
    void(HOSTAPI_CALL* SetUserData)(ADMItemRef item, ADMUserData userData);
    ADMUserData(HOSTAPI_CALL* GetUserData)(ADMItemRef item);
    int32_t(HOSTAPI_CALL* GetID)(ADMItemRef item);          /* 22 */
    ADMDialogRef(HOSTAPI_CALL* GetDialog)(ADMItemRef item); /* 23 */
    ADMUnusedSlot GetWindowRef;                             /* 24 */
    /* 25: The entries of a popup list item; null for other kinds. */
    ADMListRef(HOSTAPI_CALL* GetList)(ADMItemRef item);
    ADMUnusedSlot GetChildItem;                                             /* 26 */
    void(HOSTAPI_CALL* SetPluginRef)(ADMItemRef item, ADMPluginRef plugin); /* 27 */
    ADMPluginRef(HOSTAPI_CALL* GetPluginRef)(ADMItemRef item);              /* 28 */
    ADMUnusedSlot SetItemType;                                              /* 29 */
    ADMUnusedSlot GetItemType;                                              /* 30 */
    /* 31-32: Style of the item's kind (kADMEtchedFrameStyle for a frame,
       kADMNumericTextEditStyle for a number field). */
    void(HOSTAPI_CALL* SetItemStyle)(ADMItemRef item, int32_t style);
    int32_t(HOSTAPI_CALL* GetItemStyle)(ADMItemRef item);
    /* 33-40: Visibility, enabling, activation, and the known flag. */
    void(HOSTAPI_CALL* Show)(ADMItemRef item, ADMBoolean show);
    ADMBoolean(HOSTAPI_CALL* IsVisible)(ADMItemRef item);
    void(HOSTAPI_CALL* Enable)(ADMItemRef item, ADMBoolean enable);
    ADMBoolean(HOSTAPI_CALL* IsEnabled)(ADMItemRef item);
    void(HOSTAPI_CALL* Activate)(ADMItemRef item, ADMBoolean activate);
    ADMBoolean(HOSTAPI_CALL* IsActive)(ADMItemRef item);
    void(HOSTAPI_CALL* Known)(ADMItemRef item, ADMBoolean known);
    ADMBoolean(HOSTAPI_CALL* IsKnown)(ADMItemRef item);
    /* 41-44: Local rectangle (the item's size at (0, 0)) and place in the
       dialog. */
    void(HOSTAPI_CALL* SetLocalRect)(ADMItemRef item, const ADMRect* rect);
    void(HOSTAPI_CALL* GetLocalRect)(ADMItemRef item, ADMRect* rect);
    void(HOSTAPI_CALL* SetBoundsRect)(ADMItemRef item, const ADMRect* bounds);
    void(HOSTAPI_CALL* GetBoundsRect)(ADMItemRef item, ADMRect* bounds);
    ADMUnusedSlot GetBestSize; /* 45 */
    ADMUnusedSlot Move;        /* 46 */
    ADMUnusedSlot Size;        /* 47 */
    /* 48-51: point and rectangle conversions between local and screen. */
    ADMUnusedSlot coordinateConversions[4];
    /* 52: Marks the item to be drawn again; 54 Update draws it now when it
       is marked. */
    void(HOSTAPI_CALL* Invalidate)(ADMItemRef item);
    ADMUnusedSlot InvalidateRect; /* 53 */
    void(HOSTAPI_CALL* Update)(ADMItemRef item);
    ADMUnusedSlot SetCursorID; /* 55 */
    ADMUnusedSlot GetCursorID; /* 56 */
    /* 57: Picture resource of the plug-in shown by a picture item. */
    void(HOSTAPI_CALL* SetPictureID)(ADMItemRef item, int32_t pictureID);
    ADMUnusedSlot GetPictureID;         /* 58 */
    ADMUnusedSlot SetSelectedPictureID; /* 59 */
    ADMUnusedSlot GetSelectedPictureID; /* 60 */
    ADMUnusedSlot SetDisabledPictureID; /* 61 */
    ADMUnusedSlot GetDisabledPictureID; /* 62 */
    /* 63: Tooltip text; the toolkit keeps its own copy. */
    void(HOSTAPI_CALL* SetTipString)(ADMItemRef item, const char* tip);
    ADMUnusedSlot GetTipString;       /* 64 */
    ADMUnusedSlot GetTipStringLength; /* 65 */
    ADMUnusedSlot EnableTip;          /* 66 */
    ADMUnusedSlot IsTipEnabled;       /* 67 */
    ADMUnusedSlot ShowToolTip;        /* 68 */
    ADMUnusedSlot HideToolTip;        /* 69 */
    ADMUnusedSlot SetFont;            /* 70 */
    ADMUnusedSlot GetFont;            /* 71 */
    /* 72-74: Text shown by the item; the toolkit keeps its own copy. GetText
       copies it cut to maxLength - 1 characters and terminated. */
    void(HOSTAPI_CALL* SetText)(ADMItemRef item, const char* text);
    void(HOSTAPI_CALL* GetText)(ADMItemRef item, char* text, int32_t maxLength);
    int32_t(HOSTAPI_CALL* GetTextLength)(ADMItemRef item);
    ADMUnusedSlot SetMaxTextLength;  /* 75 */
    ADMUnusedSlot GetMaxTextLength;  /* 76 */
    ADMUnusedSlot SelectAll;         /* 77 */
    ADMUnusedSlot SetSelectionRange; /* 78 */
    ADMUnusedSlot GetSelectionRange; /* 79 */
    ADMUnusedSlot SetJustify;        /* 80 */
    ADMUnusedSlot GetJustify;        /* 81 */
    /* 82-83: Units a number field shows (kADM...Units). */
    void(HOSTAPI_CALL* SetUnits)(ADMItemRef item, int32_t units);
    int32_t(HOSTAPI_CALL* GetUnits)(ADMItemRef item);
    /* 84-85: Decimal places a number field shows; -1 for whole numbers. */
    void(HOSTAPI_CALL* SetPrecision)(ADMItemRef item, int32_t places);
    int32_t(HOSTAPI_CALL* GetPrecision)(ADMItemRef item);
    /* 86-87: On/off state of check boxes and radio buttons; turning a radio
       button on turns the other radio buttons of its dialog off. */
    void(HOSTAPI_CALL* SetBooleanValue)(ADMItemRef item, ADMBoolean value);
    ADMBoolean(HOSTAPI_CALL* GetBooleanValue)(ADMItemRef item);
    /* 88-89: A number field's value, kept within [minimum, maximum]. */
    void(HOSTAPI_CALL* SetIntValue)(ADMItemRef item, int32_t value);
    int32_t(HOSTAPI_CALL* GetIntValue)(ADMItemRef item);
    ADMUnusedSlot SetFixedValue;                                     /* 90 */
    ADMUnusedSlot GetFixedValue;                                     /* 91 */
    void(HOSTAPI_CALL* SetFloatValue)(ADMItemRef item, float value); /* 92 */
    float(HOSTAPI_CALL* GetFloatValue)(ADMItemRef item);             /* 93 */
    /* 94-95: The smallest value; setting it moves a value below onto it. */
    void(HOSTAPI_CALL* SetMinIntValue)(ADMItemRef item, int32_t minimum);
    int32_t(HOSTAPI_CALL* GetMinIntValue)(ADMItemRef item);
    ADMUnusedSlot SetMinFixedValue; /* 96 */
    ADMUnusedSlot GetMinFixedValue; /* 97 */
    /* 98-99: The largest value; setting it moves a value above onto it. */
    void(HOSTAPI_CALL* SetMaxIntValue)(ADMItemRef item, int32_t maximum);
    int32_t(HOSTAPI_CALL* GetMaxIntValue)(ADMItemRef item);
    void(HOSTAPI_CALL* SetMinFloatValue)(ADMItemRef item, float minimum); /* 100 */
    float(HOSTAPI_CALL* GetMinFloatValue)(ADMItemRef item);               /* 101 */
    ADMUnusedSlot SetMaxFixedValue;                                       /* 102 */
    ADMUnusedSlot GetMaxFixedValue;                                       /* 103 */
    void(HOSTAPI_CALL* SetMaxFloatValue)(ADMItemRef item, float maximum); /* 104 */
    float(HOSTAPI_CALL* GetMaxFloatValue)(ADMItemRef item);               /* 105 */
    ADMUnusedSlot SetSmallIncrement;                                      /* 106 */
    ADMUnusedSlot GetSmallIncrement;                                      /* 107 */
    ADMUnusedSlot SetLargeIncrement;                                      /* 108 */
    ADMUnusedSlot GetLargeIncrement;                                      /* 109 */
    /* 110-113: Whether the user may type units, or arithmetic, into a
       number field. */
    void(HOSTAPI_CALL* SetAllowUnits)(ADMItemRef item, ADMBoolean allow);
    ADMBoolean(HOSTAPI_CALL* GetAllowUnits)(ADMItemRef item);
    void(HOSTAPI_CALL* SetAllowMath)(ADMItemRef item, ADMBoolean allow);
    ADMBoolean(HOSTAPI_CALL* GetAllowMath)(ADMItemRef item);
    /* 114-116: Number to text callback; the default writes the decimal
       value and gives false only for no room. */
    void(HOSTAPI_CALL* SetFloatToTextProc)(ADMItemRef item, ADMItemFloatToTextProc proc);
    ADMItemFloatToTextProc(HOSTAPI_CALL* GetFloatToTextProc)(ADMItemRef item);
    ADMBoolean(HOSTAPI_CALL* DefaultFloatToText)(ADMItemRef item, float value, char* text,
                                                 int32_t maxLength);
    /* 117-119: Text to number callback; the default reads a decimal number
       and gives false for text that is no number. */
    void(HOSTAPI_CALL* SetTextToFloatProc)(ADMItemRef item, ADMItemTextToFloatProc proc);
    ADMItemTextToFloatProc(HOSTAPI_CALL* GetTextToFloatProc)(ADMItemRef item);
    ADMBoolean(HOSTAPI_CALL* DefaultTextToFloat)(ADMItemRef item, const char* text, float* value);
    /* 120-121: Whether a number field shows its units. */
    void(HOSTAPI_CALL* ShowUnits)(ADMItemRef item, ADMBoolean show);
    ADMBoolean(HOSTAPI_CALL* GetShowUnits)(ADMItemRef item);
    ADMUnusedSlot WasPercentageChange; /* 122 */
    ADMUnusedSlot SetHelpID;           /* 123 */
    ADMUnusedSlot GetHelpID;           /* 124 */
    ADMUnusedSlot Help;                /* 125 */
    ADMUnusedSlot GetHierarchyList;    /* 126 */
} ADMItemSuite;

#include "RecordPackingEnd.h"

#endif
