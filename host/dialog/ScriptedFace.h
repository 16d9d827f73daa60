// A face without a display: it runs a dialog from a list of steps (set a
// number, click an item, choose a popup entry, press OK or Cancel, or let a
// caller look at the dialog). Tests and the command line drive dialogs with
// it. The colour picker belongs to the host's colour services, not to the
// toolkit: a script's picker answers are handed to its ColorPickerScript
// (PickerAnswersOf) and the face passes over them.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "host/color/ColorPickerScript.h"
#include "host/dialog/DialogFace.h"

namespace oxhost {

struct DialogStep {
    enum class Action { SetValue, Click, ChooseEntry, PressOk, PressCancel, Inspect, AnswerPicker };

    static DialogStep SetValue(std::string target, int32_t value);
    static DialogStep Click(std::string target);
    static DialogStep ChooseEntry(std::string target, int32_t index);
    static DialogStep PressOk();
    static DialogStep PressCancel();
    static DialogStep Inspect(std::function<void(DialogSession&)> look);
    static DialogStep AnswerPicker(const PickedColor& color);

    Action action = Action::PressCancel;
    std::string target;  // as DialogSession::Find takes it
    int32_t value = 0;   // the number, or the entry's position
    std::function<void(DialogSession&)> look;
    PickedColor color;  // AnswerPicker
};

// The picker answers of a script, in order.
std::vector<PickedColor> PickerAnswersOf(const std::vector<DialogStep>& steps);

class ScriptedFace : public DialogFace {
public:
    explicit ScriptedFace(std::vector<DialogStep> steps);

    // Runs steps in order until one ends the dialog; the steps left over are
    // kept for the next dialog. With no steps left the dialog is cancelled.
    int32_t Run(DialogSession& session) override;

    // One line for every step that found no item or was refused, in order.
    const std::vector<std::string>& Problems() const { return problems; }
    size_t StepsLeft() const { return steps.size(); }
    int32_t DialogsRun() const { return dialogsRun; }

private:
    void Perform(const DialogStep& step, DialogSession& session);

    std::deque<DialogStep> steps;
    std::vector<std::string> problems;
    int32_t dialogsRun = 0;
};

// Reads a script of one step a line: "set TARGET = N", "click TARGET",
// "choose TARGET = INDEX", "pick R G B" (a picker answer, each 0 to 255),
// "ok", "cancel"; blank lines and lines starting
// with '#' are skipped. Throws HostError naming the line for anything else.
std::vector<DialogStep> ParseDialogScript(const std::string& text);

}  // namespace oxhost
