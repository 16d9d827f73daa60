// One box while RunModal runs it: its layout, the item texts as they change,
// its place on the screen, and the plug-in's dialog procedure that receives
// what happens to it. Faces turn the user's (or a script's) actions into the
// calls below; the procedure ends the box through EndModal.
#pragma once

#include <cstdint>

#include "NativeDialogSuite.h"
#include "host/nativedialog/BoxLayout.h"

namespace oxhost {

class ModalBox {
public:
    ModalBox(BoxLayout layout, OxWindowRef owner, OxDialogProc procedure);
    ModalBox(const ModalBox&) = delete;
    ModalBox& operator=(const ModalBox&) = delete;

    // The reference the plug-in knows the box by.
    OxWindowRef Window() { return this; }
    OxWindowRef Owner() const { return owner; }
    const BoxLayout& Layout() const { return layout; }

    // Null for an unknown id.
    const BoxItem* Item(int32_t itemId) const;
    // False for an unknown id.
    bool SetItemText(int32_t itemId, const char* text);

    // What the procedure hears; each returns what the procedure returned.
    intptr_t Initialise(intptr_t initParam);
    intptr_t Press(int32_t itemId);
    intptr_t Type(uint8_t character);
    intptr_t ClickBackground();

    void End(intptr_t value);
    bool Ended() const { return ended; }
    intptr_t Result() const { return result; }

    // The inner area's top left corner on the screen (kept by faces that have
    // no real window).
    int32_t left = 0;
    int32_t top = 0;

private:
    BoxLayout layout;
    OxWindowRef owner;
    OxDialogProc procedure;
    bool ended = false;
    intptr_t result = 0;
};

}  // namespace oxhost
