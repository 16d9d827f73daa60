/* "ADM Dialog Suite" version 5: dialogs built from a plug-in's dialog
   resource, their callbacks and their items. The order of the entries is
   this system's own; no published layout is followed. */
#ifndef HOSTAPI_ADMDIALOGSUITE_H
#define HOSTAPI_ADMDIALOGSUITE_H

#include "ADMTypes.h"

#define kADMDialogSuiteName "ADM Dialog Suite"
#define kADMDialogSuiteVersion 5

#include "RecordPackingBegin.h"

typedef struct ADMDialogSuite {
    /* Builds a modeless dialog from dialog resource dialogID of the plug-in
       (caption and size; a default size without one), with an OK (1) and a
       Cancel (2) button, sets its user data and calls initProc. Returns the
       dialog, or null when initProc failed (the dialog is then destroyed). */
    ADMDialogRef(HOSTAPI_CALL* Create)(ADMPluginRef plugin, const char* name, int32_t dialogID,
                                       int32_t style, ADMDialogInitProc initProc,
                                       ADMUserData userData, int32_t options);
    /* Builds the dialog as Create does, runs it until an item ends it, then
       destroys it with all its items (calling their destroy callbacks, the
       items' first) and returns the id of the ending item: kADMDefaultItemID,
       kADMCancelItemID, or kADMCancelItemID when initProc failed. The dialog
       is notified kADMDeactivateWindowNotifier as it closes. */
    int32_t(HOSTAPI_CALL* Modal)(ADMPluginRef plugin, const char* name, int32_t dialogID,
                                 int32_t style, ADMDialogInitProc initProc, ADMUserData userData,
                                 int32_t options);
    /* Destroys a dialog made by Create with all its items, calling the destroy
       callbacks as Modal does. */
    void(HOSTAPI_CALL* Destroy)(ADMDialogRef dialog);

    /* Attach callbacks; null restores the default behaviour. */
    void(HOSTAPI_CALL* SetDrawProc)(ADMDialogRef dialog, ADMDialogDrawProc drawProc);
    void(HOSTAPI_CALL* SetTrackProc)(ADMDialogRef dialog, ADMDialogTrackProc trackProc);
    void(HOSTAPI_CALL* SetNotifyProc)(ADMDialogRef dialog, ADMDialogNotifyProc notifyProc);
    void(HOSTAPI_CALL* SetDestroyProc)(ADMDialogRef dialog, ADMDialogDestroyProc destroyProc);
    void(HOSTAPI_CALL* SetUserData)(ADMDialogRef dialog, ADMUserData userData);
    ADMUserData(HOSTAPI_CALL* GetUserData)(ADMDialogRef dialog);

    /* What the toolkit does without a callback: draws nothing of its own,
       tracks without asking for a notification (false), and on a
       notification from the OK or Cancel button ends a modal dialog. */
    void(HOSTAPI_CALL* DefaultDraw)(ADMDialogRef dialog, ADMDrawerRef drawer);
    ADMBoolean(HOSTAPI_CALL* DefaultTrack)(ADMDialogRef dialog, ADMTrackerRef tracker);
    void(HOSTAPI_CALL* DefaultNotify)(ADMDialogRef dialog, ADMNotifierRef notifier);

    /* The dialog's size as a rectangle at (0, 0); setting it resizes the dialog. */
    void(HOSTAPI_CALL* GetLocalRect)(ADMDialogRef dialog, ADMRect* rect);
    void(HOSTAPI_CALL* SetLocalRect)(ADMDialogRef dialog, const ADMRect* rect);
    /* Ids of the items that end the dialog as OK and as Cancel. */
    int32_t(HOSTAPI_CALL* GetDefaultItemID)(ADMDialogRef dialog);
    int32_t(HOSTAPI_CALL* GetCancelItemID)(ADMDialogRef dialog);
    /* The item of that id, or null. */
    ADMItemRef(HOSTAPI_CALL* GetItem)(ADMDialogRef dialog, int32_t itemID);
    /* Adds an item of the kind (kADM...Type) at bounds. Id 0 asks for a new
       id unique in the dialog; an id already in use gives null, as does an
       unknown kind. initProc (may be null) runs before the item is returned. */
    ADMItemRef(HOSTAPI_CALL* CreateItem)(ADMDialogRef dialog, int32_t itemID, const char* itemType,
                                         const ADMRect* bounds, ADMItemInitProc initProc,
                                         ADMUserData userData, int32_t options);
    /* Sets the window caption; the toolkit keeps its own copy. */
    void(HOSTAPI_CALL* SetText)(ADMDialogRef dialog, const char* text);
} ADMDialogSuite;

#include "RecordPackingEnd.h"

#endif
