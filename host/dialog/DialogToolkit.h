// The host's dialog toolkit: it owns every dialog and item a plug-in makes,
// checks the references the suites are given, and delivers the events
// (notify, track, draw) with the toolkit's default behaviour. Modal dialogs
// are shown by a DialogFace. One toolkit per process: the suites' functions
// carry no context, and callbacks run on the plug-in's thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "ADMTypes.h"
#include "host/dialog/DialogFace.h"
#include "host/dialog/DialogModel.h"
#include "host/dialog/DialogShell.h"

namespace oxhost {

// What an ADMNotifierRef, ADMTrackerRef and ADMDrawerRef point to while a
// callback runs.
struct Notification {
    std::string type;
    ToolkitDialog* dialog = nullptr;
    ToolkitItem* item = nullptr;  // null when the dialog itself is meant
};
struct TrackEvent {
    int32_t action = 0;
    ADMPoint point{0, 0};  // in the item's local pixels
};
struct DrawContext {
    Drawing operations;
};

class DialogToolkit {
public:
    static DialogToolkit& Instance();

    // The face that shows modal dialogs; not owned. Without one a modal
    // dialog ends with its cancel item as soon as it is initialised.
    void SetFace(DialogFace* newFace) { face = newFace; }
    DialogFace* Face() const { return face; }
    // Where dialog shells come from; the default reads the module's file.
    void SetShellSource(DialogShellSource source);

    // Builds, initialises, runs through the face, deactivates and destroys a
    // modal dialog; returns the ending item's id (the cancel id when init fails).
    int32_t RunModal(void* plugin, const char* name, int32_t resourceId, ADMDialogInitProc init,
                     ADMUserData userData);
    // Builds and initialises a dialog that stays until DestroyDialog; null
    // when init fails.
    ToolkitDialog* CreateDialog(void* plugin, const char* name, int32_t resourceId,
                                ADMDialogInitProc init, ADMUserData userData);
    // Calls the destroy callbacks of every item, then the dialog's, then
    // frees them all.
    void DestroyDialog(ToolkitDialog& dialog);

    // Null for an id in use or an unknown kind; init runs before returning.
    ToolkitItem* CreateItem(ToolkitDialog& dialog, int32_t id, const char* kind,
                            const ADMRect* bounds, ADMItemInitProc init, ADMUserData userData);
    void DestroyItem(ToolkitItem& item);

    // The objects behind references handed out; null for unknown or
    // destroyed ones.
    ToolkitDialog* FindDialog(ADMDialogRef dialog) const;
    ToolkitItem* FindItem(ADMItemRef item) const;
    PopupList* FindList(ADMListRef list) const;
    ListEntry* FindEntry(ADMEntryRef entry) const;
    ListEntry* InsertEntry(PopupList& list, int32_t index);

    // Events. An item without a notify callback passes the notification on
    // to its dialog; a dialog without one ends itself when modal and the
    // notification is a change of its OK or Cancel item.
    void NotifyItem(ToolkitItem& item, const char* type);
    void NotifyDialog(ToolkitDialog& dialog, const char* type);
    void DefaultItemNotify(ToolkitItem& item, Notification& notification);
    void DefaultDialogNotify(ToolkitDialog& dialog, Notification& notification);
    // Tracks an action on the item; when the track callback answers true,
    // the item is notified "ADM User Changed Notifier". Returns that answer.
    bool TrackItem(ToolkitItem& item, int32_t action);
    // Draws the item through its draw callback and keeps the result.
    const Drawing& DrawItem(ToolkitItem& item);

    size_t LiveDialogCount() const { return dialogs.size(); }
    size_t LiveItemCount() const { return liveItems.size(); }

    static ADMDialogRef Ref(ToolkitDialog* dialog) {
        return reinterpret_cast<ADMDialogRef>(dialog);
    }
    static ADMItemRef Ref(ToolkitItem* item) { return reinterpret_cast<ADMItemRef>(item); }
    static ADMListRef Ref(PopupList* list) { return reinterpret_cast<ADMListRef>(list); }
    static ADMEntryRef Ref(ListEntry* entry) { return reinterpret_cast<ADMEntryRef>(entry); }

private:
    DialogToolkit();
    ToolkitDialog& BuildDialog(void* plugin, const char* name, int32_t resourceId,
                               ADMUserData userData);
    void CallItemDestroy(ToolkitItem& item);
    void Forget(ToolkitItem& item);

    DialogFace* face = nullptr;
    DialogShellSource shellSource;
    std::vector<std::unique_ptr<ToolkitDialog>> dialogs;
    std::unordered_set<const void*> liveItems;
    std::unordered_set<const void*> liveLists;
    std::unordered_set<const void*> liveEntries;
};

}  // namespace oxhost
