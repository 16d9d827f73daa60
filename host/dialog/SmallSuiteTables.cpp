// The smaller toolkit suites: Basic 5, List 1, Entry 2, Notifier 2,
// Tracker 1 and Drawer 3. Notifier, tracker and drawer references are the
// addresses of the toolkit's event records and live only while the callback
// they were given to runs.
#include <algorithm>
#include <cstring>
#include <string>

#include "host/CallerBuffer.h"
#include "host/dialog/DialogToolkit.h"
#include "host/dialog/ToolkitSuites.h"

namespace oxhost {
namespace {

DialogToolkit& Toolkit() {
    return DialogToolkit::Instance();
}

// Basic
void HOSTAPI_CALL Beep() {}
void HOSTAPI_CALL MessageAlert(const char* /*message*/) {}

const ADMBasicSuite basicSuite = {Beep, MessageAlert};

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

const ADMListSuite listSuite = {InsertEntry, IndexEntry, NumberOfEntries, GetActiveEntry};

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

const ADMEntrySuite entrySuite = {SetEntryID,   GetEntryID, SetEntryText,
                                  GetEntryText, Select,     IsSelected};

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

void HOSTAPI_CALL GetNotifierType(ADMNotifierRef notifier, char* type, int32_t maxLength) {
    CopyToCallerBuffer(notifier != nullptr ? AsNotification(notifier)->type : std::string(), type,
                       maxLength);
}

const ADMNotifierSuite notifierSuite = {GetNotifierItem, GetNotifierDialog, IsNotifierType,
                                        GetNotifierType};

// Tracker
int32_t HOSTAPI_CALL GetAction(ADMTrackerRef tracker) {
    return tracker != nullptr ? reinterpret_cast<const TrackEvent*>(tracker)->action : 0;
}

void HOSTAPI_CALL GetPoint(ADMTrackerRef tracker, int32_t* x, int32_t* y) {
    const TrackEvent* event = reinterpret_cast<const TrackEvent*>(tracker);
    if (x != nullptr) {
        *x = event != nullptr ? event->x : 0;
    }
    if (y != nullptr) {
        *y = event != nullptr ? event->y : 0;
    }
}

const ADMTrackerSuite trackerSuite = {GetAction, GetPoint};

// Drawer
void Record(ADMDrawerRef drawer, const DrawOperation& operation) {
    if (drawer != nullptr) {
        reinterpret_cast<DrawContext*>(drawer)->operations.push_back(operation);
    }
}

void HOSTAPI_CALL SetADMColor(ADMDrawerRef drawer, int32_t color) {
    DrawOperation operation;
    operation.kind = DrawOperation::Kind::ToolkitColor;
    operation.color = color;
    Record(drawer, operation);
}

void HOSTAPI_CALL SetRGBColor(ADMDrawerRef drawer, const RGBColor* color) {
    if (color == nullptr) {
        return;
    }
    DrawOperation operation;
    operation.kind = DrawOperation::Kind::RgbColor;
    operation.rgb = *color;
    Record(drawer, operation);
}

void HOSTAPI_CALL DrawRect(ADMDrawerRef drawer, const ADMRect* rect) {
    if (rect == nullptr) {
        return;
    }
    DrawOperation operation;
    operation.kind = DrawOperation::Kind::Outline;
    operation.rect = *rect;
    Record(drawer, operation);
}

void HOSTAPI_CALL FillRect(ADMDrawerRef drawer, const ADMRect* rect) {
    if (rect == nullptr) {
        return;
    }
    DrawOperation operation;
    operation.kind = DrawOperation::Kind::Fill;
    operation.rect = *rect;
    Record(drawer, operation);
}

const ADMDrawerSuite drawerSuite = {SetADMColor, SetRGBColor, DrawRect, FillRect};

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
const ADMDrawerSuite* DrawerSuiteTable() {
    return &drawerSuite;
}

}  // namespace oxhost
