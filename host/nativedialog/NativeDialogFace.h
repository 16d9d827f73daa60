// What shows the host's native boxes: a real window (FltkFace) or a script
// (ScriptedFace). The suite's C table (NativeDialogSuiteTable.h) builds the
// ModalBox and asks the face for everything that depends on a screen.
#pragma once

#include <cstdint>
#include <string>

#include "NativeDialogSuite.h"
#include "host/nativedialog/ModalBox.h"

namespace oxhost {

class NativeDialogFace {
public:
    virtual ~NativeDialogFace() = default;

    // Shows `box`: calls box.Initialise(initParam) once its window exists and
    // before it is visible, then delivers events to the box until
    // box.Ended(). False when no box can be shown (the box is then not
    // initialised).
    virtual bool RunModal(ModalBox& box, intptr_t initParam) = 0;
    // The text of an item changed (the box already holds the new text).
    virtual void ItemTextChanged(ModalBox& box, int32_t itemId) = 0;

    // The screen's size: the desktop window's inner area at 0, 0.
    virtual OxScreenRect Screen() = 0;
    virtual int32_t TitleButtonWidth() = 0;
    // The box's inner area and outer frame, in screen coordinates.
    virtual OxScreenRect ClientArea(const ModalBox& box) = 0;
    virtual OxScreenRect Frame(const ModalBox& box) = 0;
    // Puts the frame's top left corner at (x, y), keeping the size.
    virtual void Move(ModalBox& box, int32_t x, int32_t y) = 0;

    // Opens `address` in the user's web browser (or notes it).
    virtual void OpenAddress(const std::string& address) = 0;
};

}  // namespace oxhost
