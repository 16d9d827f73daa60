// An object over one dialog of the host's toolkit: the toolkit's callbacks
// arrive as virtual operations. A modal dialog's object lives with its owner
// (on the stack); the toolkit destroys the dialog itself when it closes.
#pragma once

#include <cstdint>

#include "ADMTypes.h"

class CDialogWrapper {
public:
    CDialogWrapper() = default;
    CDialogWrapper(const CDialogWrapper&) = delete;
    CDialogWrapper& operator=(const CDialogWrapper&) = delete;

    // Registers the draw, track, notify and destroy callbacks; returns 0.
    // A derived Init calls it first.
    virtual SPErr Init();
    virtual void Draw(ADMDrawerRef drawer);
    // True asks the toolkit to notify the dialog.
    virtual bool Track(ADMTrackerRef tracker);
    virtual void Notify(ADMNotifierRef notifier);
    // The toolkit is destroying the dialog.
    virtual void Destroying();
    // A dialog still held and not modal is detached and destroyed.
    virtual ~CDialogWrapper();

    // Builds a modeless dialog around this object; the object is deleted when
    // the toolkit destroys the dialog, so it must have been made with new.
    virtual ADMDialogRef Create(void* pluginRef, const char* name, int32_t dialogId, int32_t style,
                                int32_t options);
    // Runs the dialog modally; returns the id of the item that ended it.
    virtual int32_t Modal(void* pluginRef, const char* name, int32_t dialogId, int32_t style,
                          int32_t options);

    // Null before init and after a modal dialog has closed.
    ADMDialogRef Dialog() const { return dialog; }
    bool IsModal() const { return modal != 0; }

private:
    friend SPErr HOSTAPI_CALL DialogInitProc(ADMDialogRef dialog);
    friend void HOSTAPI_CALL DialogDestroyProc(ADMDialogRef dialog);

    ADMDialogRef dialog = nullptr;
    int32_t modal = 0;
};

// The toolkit's callbacks; each finds its object through the dialog's user data.
SPErr HOSTAPI_CALL DialogInitProc(ADMDialogRef dialog);
void HOSTAPI_CALL DialogDrawProc(ADMDialogRef dialog, ADMDrawerRef drawer);
ADMBoolean HOSTAPI_CALL DialogTrackProc(ADMDialogRef dialog, ADMTrackerRef tracker);
void HOSTAPI_CALL DialogNotifyProc(ADMDialogRef dialog, ADMNotifierRef notifier);
void HOSTAPI_CALL DialogDestroyProc(ADMDialogRef dialog);
