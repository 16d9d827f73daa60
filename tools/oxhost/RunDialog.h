// The options dialog of `oxhost run --dialog`: which face shows the host's
// dialog toolkit (a real window, or a script of steps with
// --dialog-script), and the colour picker that goes with it. The window is
// an FLTK window on Linux; the Windows build has the script only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/color/ColorPickerScript.h"
#include "host/dialog/DialogFace.h"
#include "host/dialog/DialogScript.h"

namespace oxhost {

class RunDialog {
public:
    // Null without --dialog. Throws HostError when no display can be opened
    // for the window (or the build has none), or the script cannot be read
    // or understood.
    static std::unique_ptr<RunDialog> Prepare(bool dialog, const std::string& scriptPath);
    // A dialog answered by `steps` as they are (oxhost dialog-items looks
    // at the dialog this way).
    static std::unique_ptr<RunDialog> FromSteps(std::vector<DialogStep> steps);
    ~RunDialog();
    RunDialog(const RunDialog&) = delete;
    RunDialog& operator=(const RunDialog&) = delete;

    // The host's colour picker for this run: the script's picks, or a real
    // chooser next to the window. `extraAnswers` (--pick-color) come first.
    ColorPickerScript Picker(const std::vector<PickedColor>& extraAnswers) const;

    // After the run: why the script failed, one line naming the script and
    // its line ("" when it did not), and whether it ran out of steps before
    // it pressed OK or Cancel.
    std::string ScriptProblem() const;
    bool ScriptRanOut() const { return outcome && outcome->ranOut; }

private:
    RunDialog(std::unique_ptr<DialogFace> face, std::vector<PickedColor> scriptedPicks,
              bool interactive);

    // The window face and its colour chooser, one file per platform
    // (RunDialogLinux.cpp, RunDialogWindows.cpp). WindowFace throws
    // HostError when there is no window to be had.
    static std::unique_ptr<DialogFace> WindowFace();
    ColorPickerScript WindowPicker() const;

    std::unique_ptr<DialogFace> face;
    std::vector<PickedColor> scriptedPicks;
    bool interactive;
    std::string scriptPath;
    std::shared_ptr<ScriptOutcome> outcome;  // of a script's checked steps
};

}  // namespace oxhost
