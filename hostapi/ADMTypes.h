/* Types shared by the host's dialog toolkit suites: opaque references, the
   callbacks a plug-in attaches to dialogs and items, and the codes and names
   the suites take. Every reference is owned by the toolkit; a plug-in never
   frees one itself. */
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

/* Rectangle in pixels; right and bottom are exclusive. */
typedef struct ADMRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
} ADMRect;

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
#define kADMTextPushButtonType "ADM Text Push Button Type"
#define kADMPicturePushButtonType "ADM Picture Push Button Type"
#define kADMTextEditType "ADM Text Edit Type"
#define kADMFrameType "ADM Frame Type"
#define kADMTextRadioButtonType "ADM Text Radio Button Type"
#define kADMTextCheckBoxType "ADM Text Check Box Type"
#define kADMPopupListType "ADM Popup List Type"

/* Notification types, tested by name. */
#define kADMUserChangedNotifier "ADM User Changed Notifier"
#define kADMDeactivateWindowNotifier "ADM Deactivate Window Notifier"

/* Colours a drawer knows by code. */
enum { kADMBlackColor = 0, kADMWhiteColor = 1, kADMDisabledColor = 7 };

/* Tracker actions and the mask bits that ask for them. */
enum { kADMButtonUpAction = -2 /* the mouse button was released */ };
#define kADMButtonUpMask ((ADMActionMask)0x00040000)

/* Dialog styles of Create and Modal. */
enum { kADMModalDialogStyle = 0 };

/* Item styles of a frame. */
enum { kADMEtchedFrameStyle = 4 };

/* Units of a number field. */
enum { kADMNoUnits = 0, kADMPixelUnits = 10 };

/* Item ids of the two buttons every dialog is built with. */
enum {
    kADMDefaultItemID = 1, /* OK */
    kADMCancelItemID = 2
};

/* Result of an init callback that found no object to run. */
#define kADMBadParameterError ((SPErr)HOSTAPI_FOURCC('P', 'A', 'R', 'M'))

#endif
