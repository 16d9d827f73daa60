// The interactive face: each modal dialog in a real FLTK window on the X
// display, run until an item ends it. Closing the window counts as Cancel.
// The host's colour picker for a dialog in this face is PickerAnswerer()
// (hand it to ColorPickerScript): the dialog is told it lost activation,
// then a real colour chooser opens.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/color/ColorPickerScript.h"
#include "host/dialog/DialogFace.h"
#include "host/dialog/FltkDialogWindow.h"

namespace oxhost {

// A colour chooser window (FLTK's), starting from the request's colour when
// it is RGB; nothing when the user cancels.
std::optional<PickedColor> PickColorInWindow(const PickRequest& request);

class FltkFace : public DialogFace {
public:
    // Whether an X display can be opened (DISPLAY set and reachable). Run
    // without one cancels the dialog and records a problem.
    static bool DisplayAvailable();

    // Test hook: OXHOST_DIALOG_AUTOPRESS=ID[,ID...][:DELAY_MS] makes Run
    // press those items in turn (1 is OK, 2 Cancel; 0 closes the window as
    // the window manager does), the first DELAY_MS
    // milliseconds (default 300) after the window has been shown and drawn,
    // each next one the same time later; it is read at every Run.
    static constexpr const char* kAutoPressVariable = "OXHOST_DIALOG_AUTOPRESS";

    int32_t Run(DialogSession& session) override;

    // The answerer for ColorPickerScript: deactivates the running dialog,
    // then asks `pick` (a real chooser by default; tests give their own).
    PickAnswerer PickerAnswerer(PickAnswerer pick = PickColorInWindow);

    // With `capture`, LastShown() also holds the window's pixels.
    void SetCapture(bool newCapture) { capture = newCapture; }
    // The last dialog as it was first shown, before any action.
    const ShownDialog& LastShown() const { return lastShown; }
    // The last dialog as it was when it ended (no pixels).
    const ShownDialog& LastEnded() const { return lastEnded; }
    int32_t DialogsRun() const { return dialogsRun; }
    // Lines about dialogs this face could not show or presses refused.
    const std::vector<std::string>& Problems() const { return problems; }

private:
    DialogSession* running = nullptr;
    bool capture = false;
    ShownDialog lastShown;
    ShownDialog lastEnded;
    int32_t dialogsRun = 0;
    std::vector<std::string> problems;
};

}  // namespace oxhost
