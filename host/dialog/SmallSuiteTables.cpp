// The smaller toolkit suites: Basic 5, List 1, Entry 2, Notifier 2 and
// Tracker 1, every slot in the published order. Notifier and tracker
// references are the addresses of the toolkit's event records and live only
// while the callback they were given to runs.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "host/CallerBuffer.h"
#include "host/dialog/DialogToolkit.h"
#include "host/dialog/NotServed.h"
#include "host/dialog/ToolkitSuites.h"

namespace oxhost {
namespace {

DialogToolkit& Toolkit() {
    return DialogToolkit::Instance();
}

// Basic: acquired by plug-ins, never called.
ADMBasicSuite MakeBasicSuite() {
    ADMBasicSuite suite;
    for (ADMUnusedSlot& slot : suite.slots) {
        slot = NotServed;
    }
    return suite;
}

const ADMBasicSuite basicSuite = MakeBasicSuite();

// List
ADMEntryRef HOSTAPI_CALL InsertEntry(ADMListRef list, int32_t index) {
    PopupList* found = Toolkit().FindList(list);
    return found != nullptr ? DialogToolkit::Ref(Toolkit().InsertEntry(*found, index)) : nullptr;
}

ADMEntryRef HOSTAPI_CALL IndexEntry(ADMListRef list, int32_t index) {
    PopupList* found = Toolkit().FindList(list);
    if (found == nullptr || index < 0 || size_t(index) >= found->entries.size()) {
        return nullptr;
    }
    return DialogToolkit::Ref(found->entries[size_t(index)].get());
}

int32_t HOSTAPI_CALL NumberOfEntries(ADMListRef list) {
    PopupList* found = Toolkit().FindList(list);
    return found != nullptr ? int32_t(found->entries.size()) : 0;
}

ADMEntryRef HOSTAPI_CALL GetActiveEntry(ADMListRef list) {
    PopupList* found = Toolkit().FindList(list);
    return found != nullptr ? DialogToolkit::Ref(found->active) : nullptr;
}

const ADMListSuite listSuite = {
    NotServed,        // 0 SetMenuID
    NotServed,        // 1 GetMenuID
    NotServed,        // 2 GetItem
    NotServed,        // 3 SetUserData
    NotServed,        // 4 GetUserData
    NotServed,        // 5 SetInitProc
    NotServed,        // 6 GetInitProc
    NotServed,        // 7 SetDrawProc
    NotServed,        // 8 GetDrawProc
    NotServed,        // 9 SetTrackProc
    NotServed,        // 10 GetTrackProc
    NotServed,        // 11 SetNotifyProc
    NotServed,        // 12 GetNotifyProc
    NotServed,        // 13 SetDestroyProc
    NotServed,        // 14 GetDestroyProc
    NotServed,        // 15 SetEntryWidth
    NotServed,        // 16 GetEntryWidth
    NotServed,        // 17 SetEntryHeight
    NotServed,        // 18 GetEntryHeight
    NotServed,        // 19 SetEntryTextRect
    NotServed,        // 20 GetEntryTextRect
    InsertEntry,      // 21
    NotServed,        // 22 RemoveEntry
    NotServed,        // 23 GetEntry
    IndexEntry,       // 24
    NotServed,        // 25 FindEntry
    NotServed,        // 26 PickEntry
    GetActiveEntry,   // 27
    NotServed,        // 28 IndexSelectedEntry
    NumberOfEntries,  // 29
    NotServed,        // 30 NumberOfSelectedEntries
    NotServed,        // 31 SetMask
    NotServed,        // 32 GetMask
    NotServed,        // 33 SetNotifierData
    NotServed,        // 34 GetNotifierData
};

// Entry
void HOSTAPI_CALL SetEntryID(ADMEntryRef entry, int32_t entryID) {
    if (ListEntry* found = Toolkit().FindEntry(entry)) {
        found->id = entryID;
    }
}

int32_t HOSTAPI_CALL GetEntryID(ADMEntryRef entry) {
    ListEntry* found = Toolkit().FindEntry(entry);
    return found != nullptr ? found->id : 0;
}

void HOSTAPI_CALL SetEntryText(ADMEntryRef entry, const char* text) {
    if (ListEntry* found = Toolkit().FindEntry(entry)) {
        found->text = text != nullptr ? text : "";
    }
}

void HOSTAPI_CALL GetEntryText(ADMEntryRef entry, char* text, int32_t maxLength) {
    ListEntry* found = Toolkit().FindEntry(entry);
    CopyToCallerBuffer(found != nullptr ? found->text : std::string(), text, maxLength);
}

void HOSTAPI_CALL Select(ADMEntryRef entry, ADMBoolean select) {
    ListEntry* found = Toolkit().FindEntry(entry);
    if (found == nullptr) {
        return;
    }
    if (select != 0) {
        found->list.active = found;
    } else if (found->list.active == found) {
        found->list.active = nullptr;
    }
}

ADMBoolean HOSTAPI_CALL IsSelected(ADMEntryRef entry) {
    ListEntry* found = Toolkit().FindEntry(entry);
    return found != nullptr && found->list.active == found;
}

const ADMEntrySuite entrySuite = {
    NotServed,                                     // 0 Create
    NotServed,                                     // 1 Destroy
    NotServed,                                     // 2 DefaultDraw
    NotServed,                                     // 3 DefaultTrack
    NotServed,                                     // 4 DefaultNotify
    NotServed,                                     // 5 SendNotify
    NotServed,                                     // 6 GetIndex
    NotServed,                                     // 7 GetList
    SetEntryID,                                    // 8
    GetEntryID,                                    // 9
    NotServed,                                     // 10 SetUserData
    NotServed,                                     // 11 GetUserData
    Select,                                        // 12
    IsSelected,                                    // 13
    NotServed,                                     // 14 MakeInBounds
    NotServed,                                     // 15 IsInBounds
    NotServed,                                     // 16 Enable
    NotServed,                                     // 17 IsEnabled
    NotServed,                                     // 18 Activate
    NotServed,                                     // 19 IsActive
    NotServed,                                     // 20 Check
    NotServed,                                     // 21 IsChecked
    NotServed,                                     // 22 MakeSeparator
    NotServed,                                     // 23 IsSeparator
    NotServed,                                     // 24 GetLocalRect
    NotServed,                                     // 25 GetBoundsRect
    {NotServed, NotServed, NotServed, NotServed},  // 26-29 conversions
    NotServed,                                     // 30 Invalidate
    NotServed,                                     // 31 InvalidateRect
    NotServed,                                     // 32 Update
    NotServed,                                     // 33 SetPictureID
    NotServed,                                     // 34 GetPictureID
    NotServed,                                     // 35 SetSelectedPictureID
    NotServed,                                     // 36 GetSelectedPictureID
    NotServed,                                     // 37 SetDisabledPictureID
    NotServed,                                     // 38 GetDisabledPictureID
    SetEntryText,                                  // 39
    GetEntryText,                                  // 40
    NotServed,                                     // 41 GetTextLength
    NotServed,                                     // 42 CreateTimer
    NotServed,                                     // 43 AbortTimer
};

// Notifier
const Notification* AsNotification(ADMNotifierRef notifier) {
    return reinterpret_cast<const Notification*>(notifier);
}

ADMItemRef HOSTAPI_CALL GetNotifierItem(ADMNotifierRef notifier) {
    return notifier != nullptr ? DialogToolkit::Ref(AsNotification(notifier)->item) : nullptr;
}

ADMDialogRef HOSTAPI_CALL GetNotifierDialog(ADMNotifierRef notifier) {
    return notifier != nullptr ? DialogToolkit::Ref(AsNotification(notifier)->dialog) : nullptr;
}

ADMBoolean HOSTAPI_CALL IsNotifierType(ADMNotifierRef notifier, const char* type) {
    return notifier != nullptr && type != nullptr && AsNotification(notifier)->type == type;
}

void HOSTAPI_CALL GetNotifierType(ADMNotifierRef notifier, char* type, uint32_t maxLength) {
    const int32_t capacity = int32_t(std::min<uint32_t>(maxLength, INT32_MAX));
    CopyToCallerBuffer(notifier != nullptr ? AsNotification(notifier)->type : std::string(), type,
                       capacity);
}

const ADMNotifierSuite notifierSuite = {
    GetNotifierItem,    // 0
    GetNotifierDialog,  // 1
    IsNotifierType,     // 2
    GetNotifierType,    // 3
    NotServed,          // 4 SkipNextClipboardOperation
};

// Tracker
int32_t HOSTAPI_CALL GetAction(ADMTrackerRef tracker) {
    return tracker != nullptr ? reinterpret_cast<const TrackEvent*>(tracker)->action : 0;
}

void HOSTAPI_CALL GetPoint(ADMTrackerRef tracker, ADMPoint* point) {
    if (point != nullptr) {
        *point = tracker != nullptr ? reinterpret_cast<const TrackEvent*>(tracker)->point
                                    : ADMPoint{0, 0};
    }
}

const ADMTrackerSuite trackerSuite = {
    GetPoint,   // 0
    GetAction,  // 1
    NotServed,  // 2 GetModifiers
    NotServed,  // 3 TestAction
    NotServed,  // 4 TestModifier
    NotServed,  // 5 GetTime
    NotServed,  // 6 Abort
    NotServed,  // 7 GetMouseState
    NotServed,  // 8 ReleaseMouseCapture
    NotServed,  // 9 GetVirtualKey
    NotServed,  // 10 GetCharacter
};

}  // namespace

const ADMBasicSuite* BasicSuiteTable() {
    return &basicSuite;
}
const ADMListSuite* ListSuiteTable() {
    return &listSuite;
}
const ADMEntrySuite* EntrySuiteTable() {
    return &entrySuite;
}
const ADMNotifierSuite* NotifierSuiteTable() {
    return &notifierSuite;
}
const ADMTrackerSuite* TrackerSuiteTable() {
    return &trackerSuite;
}

}  // namespace oxhost
