#include "host/dialog/DialogModel.h"

#include <algorithm>
#include <utility>

namespace oxhost {

bool IsKnownItemKind(const std::string& kind) {
    static const char* const kinds[] = {
        kADMUserType,     kADMTextStaticType, kADMTextPushButtonType,  kADMPicturePushButtonType,
        kADMTextEditType, kADMFrameType,      kADMTextRadioButtonType, kADMTextCheckBoxType,
        kADMPopupListType};
    return std::any_of(std::begin(kinds), std::end(kinds),
                       [&kind](const char* known) { return kind == known; });
}

ToolkitItem::ToolkitItem(ToolkitDialog& dialog, int32_t id, std::string kind, const ADMRect& bounds)
    : dialog(dialog), id(id), kind(std::move(kind)), bounds(bounds) {
    if (this->kind == kADMPopupListType) {
        list = std::make_unique<PopupList>();
    }
}

void ToolkitItem::SetValue(int32_t newValue) {
    value = std::max(minimum, std::min(maximum, newValue));
}

void ToolkitItem::SetMinimum(int32_t newMinimum) {
    minimum = newMinimum;
    maximum = std::max(maximum, minimum);
    SetValue(value);
}

void ToolkitItem::SetMaximum(int32_t newMaximum) {
    maximum = newMaximum;
    minimum = std::min(minimum, maximum);
    SetValue(value);
}

void ToolkitItem::SetOn(bool newOn) {
    on = newOn;
    if (on && IsRadio()) {
        dialog.ClearRadioGroup(this);
    }
}

ToolkitDialog::ToolkitDialog(void* plugin, std::string name, int32_t resourceId)
    : plugin(plugin), name(std::move(name)), resourceId(resourceId) {}

ToolkitItem* ToolkitDialog::AddItem(int32_t id, const std::string& kind, const ADMRect& bounds) {
    if (id == kADMUniqueItemID) {
        while (FindItem(nextGeneratedId) != nullptr) {
            ++nextGeneratedId;
        }
        id = nextGeneratedId++;
    } else if (FindItem(id) != nullptr) {
        return nullptr;
    }
    items.push_back(std::make_unique<ToolkitItem>(*this, id, kind, bounds));
    return items.back().get();
}

ToolkitItem* ToolkitDialog::FindItem(int32_t id) const {
    for (const auto& item : items) {
        if (item->id == id) {
            return item.get();
        }
    }
    return nullptr;
}

void ToolkitDialog::ClearRadioGroup(const ToolkitItem* keep) {
    for (const auto& item : items) {
        if (item.get() != keep && item->IsRadio()) {
            item->on = false;
        }
    }
}

}  // namespace oxhost
