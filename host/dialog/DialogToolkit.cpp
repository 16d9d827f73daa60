#include "host/dialog/DialogToolkit.h"

#include <algorithm>
#include <utility>

#include "host/dialog/DialogSession.h"

namespace oxhost {

DialogToolkit& DialogToolkit::Instance() {
    static DialogToolkit toolkit;
    return toolkit;
}

DialogToolkit::DialogToolkit() : shellSource(ReadDialogShellOfModule) {}

void DialogToolkit::SetShellSource(DialogShellSource source) {
    shellSource = source ? std::move(source) : DialogShellSource(ReadDialogShellOfModule);
}

ToolkitDialog& DialogToolkit::BuildDialog(void* plugin, const char* name, int32_t resourceId,
                                          ADMUserData userData) {
    const std::string dialogName = name != nullptr ? name : "";
    std::optional<DialogShell> shell = shellSource(plugin, resourceId);
    if (!shell) {
        shell = DefaultDialogShell(dialogName);
    }
    dialogs.push_back(std::make_unique<ToolkitDialog>(plugin, dialogName, resourceId));
    ToolkitDialog& dialog = *dialogs.back();
    dialog.caption = shell->caption;
    dialog.localRect = {0, 0, shell->width, shell->height};
    dialog.userData = userData;
    ToolkitItem* ok = dialog.AddItem(kResourceOkItemId, kADMTextPushButtonType, shell->okBounds);
    ok->text = "OK";
    ToolkitItem* cancel =
        dialog.AddItem(kResourceCancelItemId, kADMTextPushButtonType, shell->cancelBounds);
    cancel->text = "Cancel";
    liveItems.insert(ok);
    liveItems.insert(cancel);
    return dialog;
}

int32_t DialogToolkit::RunModal(void* plugin, const char* name, int32_t resourceId,
                                ADMDialogInitProc init, ADMUserData userData) {
    ToolkitDialog& dialog = BuildDialog(plugin, name, resourceId, userData);
    dialog.modal = true;
    int32_t endedBy = dialog.cancelItemId;
    if (init == nullptr || init(Ref(&dialog)) == kSPNoError) {
        if (face != nullptr) {
            DialogSession session(*this, dialog);
            endedBy = face->Run(session);
        }
        // The window loses activation as it closes.
        NotifyDialog(dialog, kADMDeactivateWindowNotifier);
    }
    DestroyDialog(dialog);
    return endedBy;
}

ToolkitDialog* DialogToolkit::CreateDialog(void* plugin, const char* name, int32_t resourceId,
                                           ADMDialogInitProc init, ADMUserData userData) {
    ToolkitDialog& dialog = BuildDialog(plugin, name, resourceId, userData);
    if (init != nullptr && init(Ref(&dialog)) != kSPNoError) {
        DestroyDialog(dialog);
        return nullptr;
    }
    return &dialog;
}

void DialogToolkit::CallItemDestroy(ToolkitItem& item) {
    if (item.destroying) {
        return;
    }
    item.destroying = true;
    if (item.callbacks.destroy != nullptr) {
        item.callbacks.destroy(Ref(&item));
    }
}

void DialogToolkit::Forget(ToolkitItem& item) {
    liveItems.erase(&item);
    if (item.list) {
        liveLists.erase(item.list.get());
        for (const auto& entry : item.list->entries) {
            liveEntries.erase(entry.get());
        }
    }
}

void DialogToolkit::DestroyDialog(ToolkitDialog& dialog) {
    if (dialog.destroying) {
        return;
    }
    dialog.destroying = true;
    // By index: a destroy callback may create or destroy items of its own.
    for (size_t i = 0; i < dialog.items.size(); ++i) {
        CallItemDestroy(*dialog.items[i]);
    }
    if (dialog.callbacks.destroy != nullptr) {
        dialog.callbacks.destroy(Ref(&dialog));
    }
    for (const auto& item : dialog.items) {
        Forget(*item);
    }
    dialogs.erase(std::remove_if(dialogs.begin(), dialogs.end(),
                                 [&dialog](const auto& owned) { return owned.get() == &dialog; }),
                  dialogs.end());
}

ToolkitItem* DialogToolkit::CreateItem(ToolkitDialog& dialog, int32_t id, const char* kind,
                                       const ADMRect* bounds, ADMItemInitProc init,
                                       ADMUserData userData) {
    if (kind == nullptr || !IsKnownItemKind(kind) || dialog.destroying) {
        return nullptr;
    }
    ToolkitItem* item = dialog.AddItem(id, kind, bounds != nullptr ? *bounds : ADMRect{});
    if (item == nullptr) {
        return nullptr;
    }
    liveItems.insert(item);
    if (item->list) {
        liveLists.insert(item->list.get());
    }
    item->userData = userData;
    if (init != nullptr && init(Ref(item)) != kSPNoError) {
        DestroyItem(*item);
        return nullptr;
    }
    return item;
}

void DialogToolkit::DestroyItem(ToolkitItem& item) {
    if (item.destroying) {
        return;  // already on its way out with its dialog
    }
    CallItemDestroy(item);
    Forget(item);
    auto& items = item.dialog.items;
    items.erase(std::remove_if(items.begin(), items.end(),
                               [&item](const auto& owned) { return owned.get() == &item; }),
                items.end());
}

ToolkitDialog* DialogToolkit::FindDialog(ADMDialogRef reference) const {
    for (const auto& dialog : dialogs) {
        if (Ref(dialog.get()) == reference) {
            return dialog.get();
        }
    }
    return nullptr;
}

ToolkitItem* DialogToolkit::FindItem(ADMItemRef reference) const {
    return liveItems.count(reference) != 0 ? reinterpret_cast<ToolkitItem*>(reference) : nullptr;
}

PopupList* DialogToolkit::FindList(ADMListRef reference) const {
    return liveLists.count(reference) != 0 ? reinterpret_cast<PopupList*>(reference) : nullptr;
}

ListEntry* DialogToolkit::FindEntry(ADMEntryRef reference) const {
    return liveEntries.count(reference) != 0 ? reinterpret_cast<ListEntry*>(reference) : nullptr;
}

ListEntry* DialogToolkit::InsertEntry(PopupList& list, int32_t index) {
    if (index < 0) {
        return nullptr;
    }
    const size_t position = std::min(size_t(index), list.entries.size());
    auto inserted = list.entries.insert(list.entries.begin() + std::ptrdiff_t(position),
                                        std::make_unique<ListEntry>(list));
    liveEntries.insert(inserted->get());
    return inserted->get();
}

void DialogToolkit::NotifyItem(ToolkitItem& item, const char* type) {
    Notification notification{type, &item.dialog, &item};
    if (item.callbacks.notify != nullptr) {
        item.callbacks.notify(Ref(&item), reinterpret_cast<ADMNotifierRef>(&notification));
    } else {
        DefaultItemNotify(item, notification);
    }
}

void DialogToolkit::NotifyDialog(ToolkitDialog& dialog, const char* type) {
    Notification notification{type, &dialog, nullptr};
    if (dialog.callbacks.notify != nullptr) {
        dialog.callbacks.notify(Ref(&dialog), reinterpret_cast<ADMNotifierRef>(&notification));
    } else {
        DefaultDialogNotify(dialog, notification);
    }
}

void DialogToolkit::DefaultItemNotify(ToolkitItem& item, Notification& notification) {
    ToolkitDialog& dialog = item.dialog;
    if (dialog.callbacks.notify != nullptr) {
        dialog.callbacks.notify(Ref(&dialog), reinterpret_cast<ADMNotifierRef>(&notification));
    } else {
        DefaultDialogNotify(dialog, notification);
    }
}

void DialogToolkit::DefaultDialogNotify(ToolkitDialog& dialog, Notification& notification) {
    if (!dialog.modal || notification.item == nullptr ||
        notification.type != kADMUserChangedNotifier || dialog.endedBy != 0) {
        return;
    }
    const int32_t id = notification.item->id;
    if (id == dialog.defaultItemId || id == dialog.cancelItemId) {
        dialog.endedBy = id;
    }
}

bool DialogToolkit::TrackItem(ToolkitItem& item, int32_t action) {
    if (item.callbacks.track == nullptr) {
        return false;
    }
    if (action == kADMButtonUpAction && (item.mask & kADMButtonUpMask) == 0) {
        return false;  // the item did not ask to see releases
    }
    TrackEvent event{action, {0, 0}};
    const bool notify =
        item.callbacks.track(Ref(&item), reinterpret_cast<ADMTrackerRef>(&event)) != 0;
    if (notify && FindItem(Ref(&item)) != nullptr) {
        NotifyItem(item, kADMUserChangedNotifier);
    }
    return notify;
}

const Drawing& DialogToolkit::DrawItem(ToolkitItem& item) {
    DrawContext context;
    if (item.callbacks.draw != nullptr) {
        item.callbacks.draw(Ref(&item), reinterpret_cast<ADMDrawerRef>(&context));
    }
    item.lastDrawing = std::move(context.operations);
    item.invalid = false;
    ++item.drawCount;
    return item.lastDrawing;
}

}  // namespace oxhost
