/* "ADM Dialog Suite" version 5: dialogs built from a plug-in's dialog
   resource, their callbacks and their items. 90 slots, in the order hosts
   lay them out (the number before each is its slot). */
#ifndef HOSTAPI_ADMDIALOGSUITE_H
#define HOSTAPI_ADMDIALOGSUITE_H

#include "ADMTypes.h"

#define kADMDialogSuiteName "ADM Dialog Suite"
#define kADMDialogSuiteVersion 5

#include "RecordPackingBegin.h"

typedef struct ADMDialogSuite {
    /* 0: Builds a modeless dialog from dialog resource dialogID of the
       plug-in (caption, size, and its OK and Cancel buttons), sets its user
       data and calls initProc. Returns the dialog, or null when initProc
       failed (the dialog is then destroyed). */
    ADMDialogRef(HOSTAPI_CALL* Create)(ADMPluginRef plugin, const char* name, int32_t dialogID,
                                       int32_t style, ADMDialogInitProc initProc,
                                       ADMUserData userData, int32_t options);
    /* 1: Builds the dialog as Create does, runs it until an item ends it,
       then destroys it with all its items (calling their destroy callbacks,
       the items' first) and returns the id of the ending item; the cancel
       item's id when initProc failed. The dialog is notified
       kADMDeactivateWindowNotifier as it closes. */
    int32_t(HOSTAPI_CALL* Modal)(ADMPluginRef plugin, const char* name, int32_t dialogID,
                                 int32_t style, ADMDialogInitProc initProc, ADMUserData userData,
                                 int32_t options);
    ADMUnusedSlot PopupModal;     /* 2 */
    ADMUnusedSlot DisplayAsModal; /* 3 */
    /* 4: Destroys a dialog made by Create with all its items, calling the
       destroy callbacks as Modal does. */
    void(HOSTAPI_CALL* Destroy)(ADMDialogRef dialog);

    /* 5-10: Draw and track callbacks; null restores the default behaviour.
       The defaults draw nothing of the toolkit's own and track without
       asking for a notification (false). */
    void(HOSTAPI_CALL* SetDrawProc)(ADMDialogRef dialog, ADMDialogDrawProc drawProc);
    ADMDialogDrawProc(HOSTAPI_CALL* GetDrawProc)(ADMDialogRef dialog);
    void(HOSTAPI_CALL* DefaultDraw)(ADMDialogRef dialog, ADMDrawerRef drawer);
    void(HOSTAPI_CALL* SetTrackProc)(ADMDialogRef dialog, ADMDialogTrackProc trackProc);
    ADMDialogTrackProc(HOSTAPI_CALL* GetTrackProc)(ADMDialogRef dialog);
    ADMBoolean(HOSTAPI_CALL* DefaultTrack)(ADMDialogRef dialog, ADMTrackerRef tracker);
    /* 11-12: Actions the dialog's track callback is called for. */
    void(HOSTAPI_CALL* SetMask)(ADMDialogRef dialog, ADMActionMask mask);
    ADMActionMask(HOSTAPI_CALL* GetMask)(ADMDialogRef dialog);
    /* 13-15: Notify callback. Without one, a notification from the OK or
       Cancel button ends a modal dialog. */
    void(HOSTAPI_CALL* SetNotifyProc)(ADMDialogRef dialog, ADMDialogNotifyProc notifyProc);
    ADMDialogNotifyProc(HOSTAPI_CALL* GetNotifyProc)(ADMDialogRef dialog);
    void(HOSTAPI_CALL* DefaultNotify)(ADMDialogRef dialog, ADMNotifierRef notifier);
    ADMUnusedSlot SendNotify;                                                   /* 16 */
    void(HOSTAPI_CALL* SetNotifierData)(ADMDialogRef dialog, ADMUserData data); /* 17 */
    ADMUserData(HOSTAPI_CALL* GetNotifierData)(ADMDialogRef dialog);            /* 18 */
    /* 19-20: Destroy callback; null for none. */
    void(HOSTAPI_CALL* SetDestroyProc)(ADMDialogRef dialog, ADMDialogDestroyProc destroyProc);
    ADMDialogDestroyProc(HOSTAPI_CALL* GetDestroyProc)(ADMDialogRef dialog);
    ADMUnusedSlot CreateTimer; /* 21 */
    ADMUnusedSlot AbortTimer;  /* 22 */
    /* 23-24: The plug-in's pointer kept with the dialog. */
    void(HOSTAPI_CALL* SetUserData)(ADMDialogRef dialog, ADMUserData userData);
    ADMUserData(HOSTAPI_CALL* GetUserData)(ADMDialogRef dialog);
    ADMUnusedSlot GetDialogName;                                   /* 25 */
    int32_t(HOSTAPI_CALL* GetID)(ADMDialogRef dialog);             /* 26: its resource id */
    ADMPluginRef(HOSTAPI_CALL* GetPluginRef)(ADMDialogRef dialog); /* 27 */
    ADMUnusedSlot GetWindowRef;                                    /* 28 */
    void(HOSTAPI_CALL* SetDialogStyle)(ADMDialogRef dialog, int32_t style); /* 29 */
    int32_t(HOSTAPI_CALL* GetDialogStyle)(ADMDialogRef dialog);             /* 30 */
    /* 31-36: Visibility, enabling and activation. */
    void(HOSTAPI_CALL* Show)(ADMDialogRef dialog, ADMBoolean show);
    ADMBoolean(HOSTAPI_CALL* IsVisible)(ADMDialogRef dialog);
    void(HOSTAPI_CALL* Enable)(ADMDialogRef dialog, ADMBoolean enable);
    ADMBoolean(HOSTAPI_CALL* IsEnabled)(ADMDialogRef dialog);
    void(HOSTAPI_CALL* Activate)(ADMDialogRef dialog, ADMBoolean activate);
    ADMBoolean(HOSTAPI_CALL* IsActive)(ADMDialogRef dialog);
    /* 37-38: The dialog's size as a rectangle at (0, 0); setting it resizes
       the dialog. */
    void(HOSTAPI_CALL* SetLocalRect)(ADMDialogRef dialog, const ADMRect* rect);
    void(HOSTAPI_CALL* GetLocalRect)(ADMDialogRef dialog, ADMRect* rect);
    /* 39-40: Its place on the screen. */
    void(HOSTAPI_CALL* SetBoundsRect)(ADMDialogRef dialog, const ADMRect* bounds);
    void(HOSTAPI_CALL* GetBoundsRect)(ADMDialogRef dialog, ADMRect* bounds);
    ADMUnusedSlot Move;                                                           /* 41 */
    void(HOSTAPI_CALL* Size)(ADMDialogRef dialog, int32_t width, int32_t height); /* 42 */
    /* 43-46: point and rectangle conversions between local and screen. */
    ADMUnusedSlot coordinateConversions[4];
    void(HOSTAPI_CALL* Invalidate)(ADMDialogRef dialog); /* 47 */
    ADMUnusedSlot InvalidateRect;                        /* 48 */
    void(HOSTAPI_CALL* Update)(ADMDialogRef dialog);     /* 49 */
    ADMUnusedSlot SetCursorID;                           /* 50 */
    ADMUnusedSlot GetCursorID;                           /* 51 */
    ADMUnusedSlot SetFont;                               /* 52 */
    ADMUnusedSlot GetFont;                               /* 53 */
    /* 54-56: The window caption; the toolkit keeps its own copy. GetText
       copies it cut to maxLength - 1 characters and terminated. */
    void(HOSTAPI_CALL* SetText)(ADMDialogRef dialog, const char* text);
    void(HOSTAPI_CALL* GetText)(ADMDialogRef dialog, char* text, int32_t maxLength);
    int32_t(HOSTAPI_CALL* GetTextLength)(ADMDialogRef dialog);
    /* 57-68: minimum and maximum width and height, and the size increments,
       each as a set, get pair. */
    ADMUnusedSlot sizeLimits[12];
    /* 69: The item of that id (kADMDefaultItemID and kADMCancelItemID name
       the default and cancel items), or null. */
    ADMItemRef(HOSTAPI_CALL* GetItem)(ADMDialogRef dialog, int32_t itemID);
    /* 70: Adds an item of the kind (kADM...Type) at bounds.
       kADMUniqueItemID asks for a new id unique in the dialog; an id already
       in use gives null, as does an unknown kind. initProc (may be null)
       runs before the item is returned. */
    ADMItemRef(HOSTAPI_CALL* CreateItem)(ADMDialogRef dialog, int32_t itemID, const char* itemType,
                                         const ADMRect* bounds, ADMItemInitProc initProc,
                                         ADMUserData userData, int32_t options);
    ADMUnusedSlot DestroyItem;     /* 71 */
    ADMUnusedSlot GetNextItem;     /* 72 */
    ADMUnusedSlot GetPreviousItem; /* 73 */
    /* 74-77: Ids of the items that end the dialog as OK and as Cancel. */
    void(HOSTAPI_CALL* SetDefaultItemID)(ADMDialogRef dialog, int32_t itemID);
    int32_t(HOSTAPI_CALL* GetDefaultItemID)(ADMDialogRef dialog);
    void(HOSTAPI_CALL* SetCancelItemID)(ADMDialogRef dialog, int32_t itemID);
    int32_t(HOSTAPI_CALL* GetCancelItemID)(ADMDialogRef dialog);
    /* 78: Ends a modal dialog as if item itemID had been pressed. */
    ADMBoolean(HOSTAPI_CALL* EndModal)(ADMDialogRef dialog, int32_t itemID, ADMBoolean cancelling);
    ADMUnusedSlot RegisterItemType;      /* 79 */
    ADMUnusedSlot UnregisterItemType;    /* 80 */
    ADMUnusedSlot LoadToolTips;          /* 81 */
    ADMUnusedSlot SetHelpID;             /* 82 */
    ADMUnusedSlot GetHelpID;             /* 83 */
    ADMUnusedSlot Help;                  /* 84 */
    ADMUnusedSlot IsCollapsed;           /* 85 */
    ADMUnusedSlot CreateGroupInDialog;   /* 86 */
    ADMUnusedSlot SetWindowRef;          /* 87 */
    ADMUnusedSlot SetDialogName;         /* 88 */
    ADMUnusedSlot IsDialogContextHidden; /* 89 */
} ADMDialogSuite;

#include "RecordPackingEnd.h"

#endif
