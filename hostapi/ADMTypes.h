/* Types shared by the host's dialog toolkit suites: opaque references, the
   callbacks a plug-in attaches to dialogs and items, and the codes and names
   the suites take. Every reference is owned by the toolkit; a plug-in never
   frees one itself.

   The suites are tables of cdecl function pointers that a plug-in calls by
   position, so each suite header declares its slots in the order hosts lay
   them out, 4 bytes a slot on 32-bit Windows. Slots whose arguments no
   plug-in of ours needs are declared as ADMUnusedSlot: they only keep the
   later slots in place. */
#ifndef HOSTAPI_ADMTYPES_H
#define HOSTAPI_ADMTYPES_H

#include "HostTypes.h"
#include "SPBasic.h"

typedef struct ADMDialogOpaque* ADMDialogRef;     /* a dialog window */
typedef struct ADMItemOpaque* ADMItemRef;         /* a control of a dialog */
typedef struct ADMListOpaque* ADMListRef;         /* the entries of a list item */
typedef struct ADMEntryOpaque* ADMEntryRef;       /* one entry of a list */
typedef struct ADMDrawerOpaque* ADMDrawerRef;     /* drawing context of one draw callback */
typedef struct ADMNotifierOpaque* ADMNotifierRef; /* one notification being delivered */
typedef struct ADMTrackerOpaque* ADMTrackerRef;   /* one mouse or key event being tracked */

typedef int32_t ADMBoolean; /* 4-byte boolean, 0 = false */
typedef void* ADMUserData;  /* the plug-in's own pointer, kept per dialog and per item */
typedef void* ADMPluginRef; /* the host's reference of a plug-in (FilterRecord.plugInRef) */
typedef uint32_t ADMActionMask;

/* A slot whose arguments and result are not declared here because no
   plug-in of ours calls it. Never call one through this type. */
typedef void(HOSTAPI_CALL* ADMUnusedSlot)(void);

/* Rectangle in pixels; right and bottom are exclusive. */
typedef struct ADMRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
} ADMRect;

/* A point in pixels: h across, v down. */
typedef struct ADMPoint {
    int32_t h;
    int32_t v;
} ADMPoint;

/* Callbacks of a dialog. The init callback runs before the dialog is shown;
   a non-zero result makes the toolkit close it at once. */
typedef SPErr(HOSTAPI_CALL* ADMDialogInitProc)(ADMDialogRef dialog);
typedef void(HOSTAPI_CALL* ADMDialogDrawProc)(ADMDialogRef dialog, ADMDrawerRef drawer);
/* True asks the toolkit to notify the dialog of the event. */
typedef ADMBoolean(HOSTAPI_CALL* ADMDialogTrackProc)(ADMDialogRef dialog, ADMTrackerRef tracker);
typedef void(HOSTAPI_CALL* ADMDialogNotifyProc)(ADMDialogRef dialog, ADMNotifierRef notifier);
/* The dialog is being destroyed; its user data is still readable. */
typedef void(HOSTAPI_CALL* ADMDialogDestroyProc)(ADMDialogRef dialog);

/* Callbacks of an item, with the same meanings as the dialog's. */
typedef SPErr(HOSTAPI_CALL* ADMItemInitProc)(ADMItemRef item);
typedef void(HOSTAPI_CALL* ADMItemDrawProc)(ADMItemRef item, ADMDrawerRef drawer);
typedef ADMBoolean(HOSTAPI_CALL* ADMItemTrackProc)(ADMItemRef item, ADMTrackerRef tracker);
typedef void(HOSTAPI_CALL* ADMItemNotifyProc)(ADMItemRef item, ADMNotifierRef notifier);
typedef void(HOSTAPI_CALL* ADMItemDestroyProc)(ADMItemRef item);
/* Text typed into a number field to its value; false when it is no number. */
typedef ADMBoolean(HOSTAPI_CALL* ADMItemTextToFloatProc)(ADMItemRef item, const char* text,
                                                         float* value);
/* A number field's value to its text of at most maxLength - 1 characters. */
typedef ADMBoolean(HOSTAPI_CALL* ADMItemFloatToTextProc)(ADMItemRef item, float value, char* text,
                                                         int32_t maxLength);

/* Item kinds, named as CreateItem takes them. */
#define kADMUserType "ADM User Type"
#define kADMTextStaticType "ADM Text Static Type"
#define kADMTextEditType "ADM Text Edit Type" /* numbers too, with kADMNumericTextEditStyle */
#define kADMTextPushButtonType "ADM Text Push Button Type"
#define kADMTextCheckBoxType "ADM Text Check Box Type"
#define kADMTextRadioButtonType "ADM Text Radio Button Type"
#define kADMPopupListType "ADM Popup List Type"
#define kADMFrameType "ADM Frame Type"
#define kADMPicturePushButtonType "ADM Picture Push Button Type"
#define kADMPictureStaticType "ADM Picture Static Type"

/* Notification types, tested by name. */
#define kADMUserChangedNotifier "ADM User Changed Notifier"
#define kADMIntermediateChangedNotifier "ADM Intermediate Changed Notifier"
#define kADMCloseHitNotifier "ADM Close Hit Notifier"
#define kADMActivateWindowNotifier "ADM Activate Window Notifier"
/* Sent when the dialog's window loses activation, also as it closes. */
#define kADMDeactivateWindowNotifier "ADM Deactivate Window Notifier"
#define kADMNumberOutOfBoundsNotifier "ADM Number Out Of Bounds Notifier"

/* Colours a drawer knows by code (SetADMColor). */
enum {
    kADMBlackColor = 0,
    kADMWhiteColor = 1,
    kADMHighlightColor = 2,
    kADMHighlightTextColor = 3,
    kADMLightColor = 4,
    kADMBackgroundColor = 5,
    kADMShadowColor = 6,
    kADMDisabledColor = 7,
    kADMButtonUpColor = 8,
    kADMButtonDownColor = 9,
    kADMButtonDownShadowColor = 10,
    kADMToolTipBackgroundColor = 11,
    kADMToolTipForegroundColor = 12,
    kADMWindowColor = 13,
    kADMForegroundColor = 14,
    kADMTextColor = 15,
    kADMRedColor = 16
};

/* Tracker actions (GetAction). */
enum {
    kADMMouseMovedDownAction = 1, /* the mouse moved with the button held */
    kADMButtonDownAction = 2,
    kADMButtonUpAction = -2, /* the mouse button was released */
    kADMUncapturedButtonUpAction = -12,
    kADMKeyStrokeAction = -15
};

/* Bits of an item's action mask: the actions its track callback is called for. */
#define kADMMouseMovedDownMask ((ADMActionMask)0x00000002)
#define kADMButtonDownMask ((ADMActionMask)0x00000004)
#define kADMButtonUpMask ((ADMActionMask)0x00040000)
#define kADMAllActionsMask ((ADMActionMask)0xFFFFFFFF)

/* Dialog styles of Create and Modal. */
enum { kADMModalDialogStyle = 0 };

/* Item styles (SetItemStyle); their meaning depends on the item's kind. */
enum {
    kADMBlackFrameStyle = 0,
    kADMGrayFrameStyle = 1,
    kADMSunkenFrameStyle = 2,
    kADMRaisedFrameStyle = 3,
    kADMEtchedFrameStyle = 4
};
enum { kADMSingleLineTextEditStyle = 0, kADMNumericTextEditStyle = 2 };

/* Units of a number field (SetUnits). */
enum {
    kADMNoUnits = 0,
    kADMPointUnits = 1,
    kADMInchUnits = 2,
    kADMMillimeterUnits = 3,
    kADMCentimeterUnits = 4,
    kADMPicaUnits = 5,
    kADMPercentUnits = 6,
    kADMDegreeUnits = 7,
    kADMPixelUnits = 10
};

/* Item ids with a meaning of their own. The OK and Cancel buttons of a
   dialog resource keep the ids the resource gives them; these name
   whichever items are the dialog's default and cancel items. */
enum {
    kADMUniqueItemID = 0, /* CreateItem: the toolkit picks an unused id */
    kADMDefaultItemID = -3,
    kADMCancelItemID = -4
};

/* Result of an init callback that found no object to run. */
#define kADMBadParameterError ((SPErr)HOSTAPI_FOURCC('P', 'A', 'R', 'M'))

#endif
