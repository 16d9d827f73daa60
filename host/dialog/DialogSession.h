// A modal dialog while a face runs it: finding its items and doing to them
// what a user does, with the events the toolkit sends for each action.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/dialog/DialogModel.h"

namespace oxhost {

class DialogToolkit;

class DialogSession {
public:
    DialogSession(DialogToolkit& toolkit, ToolkitDialog& dialog)
        : toolkit(toolkit), dialog(dialog) {}

    ToolkitDialog& Dialog() const { return dialog; }
    // Whether the item still exists: a plug-in may destroy items while its
    // dialog runs.
    bool IsLive(const ToolkitItem& item) const;

    // Every item `target` names, best match first. "#<id>" names an item by
    // id. Any other target names, in this order, the items whose text is the
    // target, those whose label is (see Label), and those whose tooltip
    // begins with it; text and labels match whatever their case and without
    // a trailing colon ("tolerance" names the field labelled "Tolerance:").
    std::vector<ToolkitItem*> FindAll(const std::string& target) const;
    // The first of FindAll, or null.
    ToolkitItem* Find(const std::string& target) const;

    // What a person reads as the item's name: its own text; for an item
    // without text (a number field, a popup, a colour swatch) the text of the
    // nearest item to its left on the same row, as dialogs place captions;
    // failing both, its tooltip.
    std::string Label(const ToolkitItem& item) const;
    // A short name of the item's kind: "number field", "check box", ...
    static std::string KindName(const std::string& kind);
    // Whether a user's action can reach the item now: it is enabled and
    // shown, and the dialog still runs.
    bool Accepts(const ToolkitItem& item) const;

    // User actions. Each is refused (false, nothing sent) on an item that is
    // disabled or hidden, or of a kind the action does not fit.
    // Types a number into a number field: kept within its range, then notified.
    bool TypeValue(ToolkitItem& item, int32_t value);
    // Check boxes toggle, radio buttons turn on (the others of the dialog
    // off), buttons are pressed; each is then notified. User items see the
    // mouse release through their track callback, and are notified only when
    // it asks for that.
    bool Click(ToolkitItem& item);
    // Makes entry `index` of a popup the active one, then notifies the popup.
    bool ChooseEntry(ToolkitItem& popup, int32_t index);
    // Draws an item now, as a window would when it shows it.
    const Drawing& Draw(ToolkitItem& item);
    // The dialog's window lost activation while it runs (another window,
    // such as the colour picker, came to the front).
    void Deactivate();

    // An item has ended the dialog (OK or Cancel pressed and not vetoed).
    bool Ended() const { return dialog.endedBy != 0; }
    // The ending item's id, or the cancel item's while the dialog still runs.
    int32_t EndedBy() const { return Ended() ? dialog.endedBy : dialog.cancelItemId; }

private:
    DialogToolkit& toolkit;
    ToolkitDialog& dialog;
};

}  // namespace oxhost
