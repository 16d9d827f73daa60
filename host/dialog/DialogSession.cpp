#include "host/dialog/DialogSession.h"

#include <cstdlib>

#include "host/dialog/DialogToolkit.h"

namespace oxhost {

ToolkitItem* DialogSession::Find(const std::string& target) const {
    if (target.size() > 1 && target[0] == '#') {
        char* end = nullptr;
        const long id = std::strtol(target.c_str() + 1, &end, 10);
        return *end == '\0' ? dialog.FindItem(int32_t(id)) : nullptr;
    }
    for (const auto& item : dialog.items) {
        if (!target.empty() && item->text == target) {
            return item.get();
        }
    }
    for (const auto& item : dialog.items) {
        if (!target.empty() && item->tip.compare(0, target.size(), target) == 0) {
            return item.get();
        }
    }
    return nullptr;
}

bool DialogSession::IsLive(const ToolkitItem& item) const {
    return toolkit.FindItem(DialogToolkit::Ref(const_cast<ToolkitItem*>(&item))) != nullptr;
}

bool DialogSession::Accepts(const ToolkitItem& item) const {
    return item.enabled && item.visible && !Ended() && !item.destroying;
}

bool DialogSession::TypeValue(ToolkitItem& item, int32_t value) {
    if (!Accepts(item) || item.kind != kADMTextEditType) {
        return false;
    }
    item.SetValue(value);
    toolkit.NotifyItem(item, kADMUserChangedNotifier);
    return true;
}

bool DialogSession::Click(ToolkitItem& item) {
    if (!Accepts(item)) {
        return false;
    }
    if (item.kind == kADMUserType) {
        toolkit.TrackItem(item, kADMButtonUpAction);
        return true;
    }
    if (item.kind == kADMTextCheckBoxType) {
        item.SetOn(!item.on);
    } else if (item.kind == kADMTextRadioButtonType) {
        item.SetOn(true);
    } else if (item.kind != kADMTextPushButtonType && item.kind != kADMPicturePushButtonType) {
        return false;
    }
    toolkit.NotifyItem(item, kADMUserChangedNotifier);
    return true;
}

bool DialogSession::ChooseEntry(ToolkitItem& popup, int32_t index) {
    if (!Accepts(popup) || !popup.list || index < 0 ||
        size_t(index) >= popup.list->entries.size()) {
        return false;
    }
    popup.list->active = popup.list->entries[size_t(index)].get();
    toolkit.NotifyItem(popup, kADMUserChangedNotifier);
    return true;
}

const Drawing& DialogSession::Draw(ToolkitItem& item) {
    return toolkit.DrawItem(item);
}

void DialogSession::Deactivate() {
    if (!Ended()) {
        toolkit.NotifyDialog(dialog, kADMDeactivateWindowNotifier);
    }
}

}  // namespace oxhost
