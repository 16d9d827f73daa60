#include "host/nativedialog/ModalBox.h"

#include <utility>

namespace oxhost {

ModalBox::ModalBox(BoxLayout layout, OxWindowRef owner, OxDialogProc procedure)
    : layout(std::move(layout)), owner(owner), procedure(procedure) {}

const BoxItem* ModalBox::Item(int32_t itemId) const {
    for (const BoxItem& item : layout.items) {
        if (item.id == itemId) {
            return &item;
        }
    }
    return nullptr;
}

bool ModalBox::SetItemText(int32_t itemId, const char* text) {
    for (BoxItem& item : layout.items) {
        if (item.id == itemId) {
            item.text = text == nullptr ? "" : text;
            return true;
        }
    }
    return false;
}

intptr_t ModalBox::Initialise(intptr_t initParam) {
    return procedure(Window(), kOxDialogInitMessage, 0, initParam);
}

intptr_t ModalBox::Press(int32_t itemId) {
    return procedure(Window(), kOxDialogCommandMessage, uintptr_t(uint16_t(itemId)), 0);
}

intptr_t ModalBox::Type(uint8_t character) {
    return procedure(Window(), kOxDialogCharacterMessage, uintptr_t(character), 0);
}

intptr_t ModalBox::ClickBackground() {
    return procedure(Window(), kOxDialogLeftButtonDownMessage, 0, 0);
}

void ModalBox::End(intptr_t value) {
    // The first EndModal wins, as a box closes only once.
    if (!ended) {
        ended = true;
        result = value;
    }
}

}  // namespace oxhost
