#include "host/dialog/DialogSession.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <utility>

#include "host/dialog/DialogToolkit.h"

namespace oxhost {

namespace {

// Text as a person types it to name an item: no surrounding blanks, no
// trailing colon, any case.
std::string Comparable(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::string();
    }
    std::string plain = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (!plain.empty() && plain.back() == ':') {
        plain.pop_back();
    }
    for (char& letter : plain) {
        letter = char(std::tolower(static_cast<unsigned char>(letter)));
    }
    return plain;
}

bool SharesRow(const ADMRect& first, const ADMRect& second) {
    return first.top < second.bottom && second.top < first.bottom;
}

}  // namespace

std::vector<ToolkitItem*> DialogSession::FindAll(const std::string& target) const {
    std::vector<ToolkitItem*> found;
    if (target.size() > 1 && target[0] == '#') {
        char* end = nullptr;
        const long id = std::strtol(target.c_str() + 1, &end, 10);
        ToolkitItem* item = *end == '\0' ? dialog.FindItem(int32_t(id)) : nullptr;
        if (item != nullptr) {
            found.push_back(item);
        }
        return found;
    }
    const std::string wanted = Comparable(target);
    if (wanted.empty()) {
        return found;
    }
    auto addWhere = [&](auto matches) {
        for (const auto& item : dialog.items) {
            if (matches(*item) &&
                std::find(found.begin(), found.end(), item.get()) == found.end()) {
                found.push_back(item.get());
            }
        }
    };
    addWhere([&](const ToolkitItem& item) { return Comparable(item.text) == wanted; });
    addWhere([&](const ToolkitItem& item) { return Comparable(Label(item)) == wanted; });
    addWhere(
        [&](const ToolkitItem& item) { return item.tip.compare(0, target.size(), target) == 0; });
    return found;
}

ToolkitItem* DialogSession::Find(const std::string& target) const {
    const std::vector<ToolkitItem*> found = FindAll(target);
    return found.empty() ? nullptr : found.front();
}

std::string DialogSession::Label(const ToolkitItem& item) const {
    if (!item.text.empty()) {
        return item.text;
    }
    const ToolkitItem* caption = nullptr;
    for (const auto& other : dialog.items) {
        if (other.get() != &item && !other->text.empty() &&
            other->bounds.right <= item.bounds.left && SharesRow(other->bounds, item.bounds) &&
            (caption == nullptr || other->bounds.right > caption->bounds.right)) {
            caption = other.get();
        }
    }
    return caption != nullptr ? caption->text : item.tip;
}

std::string DialogSession::KindName(const std::string& kind) {
    static const std::pair<const char*, const char*> names[] = {
        {kADMUserType, "user item"},
        {kADMTextStaticType, "text"},
        {kADMTextEditType, "number field"},
        {kADMTextPushButtonType, "button"},
        {kADMTextCheckBoxType, "check box"},
        {kADMTextRadioButtonType, "radio button"},
        {kADMPopupListType, "popup"},
        {kADMFrameType, "frame"},
        {kADMPicturePushButtonType, "picture button"},
        {kADMPictureStaticType, "picture"},
    };
    for (const auto& [type, name] : names) {
        if (kind == type) {
            return name;
        }
    }
    return kind;
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
